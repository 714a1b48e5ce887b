#include "library/library_store.hpp"

#include <gtest/gtest.h>

#include "support/result_text.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

LibraryPatch Patch(char kind, std::string key, std::string name, std::uint64_t sound) {
  return {kind, key.substr(0, 3), 0, key, std::move(name), 10, sound + 1000, sound};
}

class LibraryStoreTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string path = (dir.path() / "sub" / "library.sqlite").string();

  LibraryStore filled() {
    Result<LibraryStore> store = LibraryStore::Open(path);
    if (!store) ADD_FAILURE() << test::ResultText(store);
    EXPECT_TRUE(store->replaceFile({"/a/A.PCG", 100, 5, "aa", "KRONOS", "1"},
                                   {Patch('P', "U-A000", "Fat Bass", 1), Patch('P', "U-A001", "Pad", 2),
                                    Patch('C', "I-A000", "Fat Stack", 3)}).ok());
    EXPECT_TRUE(store->replaceFile({"/b/B.PCG", 200, 6, "bb", "OASYS", "1"},
                                   {Patch('P', "I-B005", "Thin bass", 1), Patch('P', "I-B006", "Pad", 9)}).ok());
    return std::move(*store);
  }
};

TEST_F(LibraryStoreTest, FindsNamesInAnyCaseByFileAndKey) {
  const LibraryStore store = filled();
  EXPECT_EQ(*store.find("BASS", 0, ""),
            (std::vector<FoundPatch>{{"/a/A.PCG", 'P', "U-A000", "Fat Bass"}, {"/b/B.PCG", 'P', "I-B005", "Thin bass"}}));
  EXPECT_EQ(*store.find("fa", 'C', ""), (std::vector<FoundPatch>{{"/a/A.PCG", 'C', "I-A000", "Fat Stack"}}));
  EXPECT_EQ(store.find("Pad", 0, "/b/*")->size(), 1u);
  EXPECT_TRUE(store.find("'; DROP TABLE files; --", 0, "")->empty());
  EXPECT_EQ(store.filePaths()->size(), 2u);
}

TEST_F(LibraryStoreTest, DuplicatesBySoundAndByNameAndTheCounts) {
  LibraryStore store = filled();
  EXPECT_EQ(*store.dupes(0, false),
            (std::vector<std::vector<FoundPatch>>{
                {{"/a/A.PCG", 'P', "U-A000", "Fat Bass"}, {"/b/B.PCG", 'P', "I-B005", "Thin bass"}}}));
  EXPECT_EQ(*store.dupes('P', true),
            (std::vector<std::vector<FoundPatch>>{
                {{"/a/A.PCG", 'P', "U-A001", "Pad"}, {"/b/B.PCG", 'P', "I-B006", "Pad"}}}));
  const LibraryStats stats = *store.stats();
  EXPECT_EQ(stats.files, 2);
  EXPECT_EQ(stats.patchesPerKind[0], (std::pair<char, std::int64_t>{'P', 4}));
  EXPECT_EQ(stats.duplicateGroups, 1);
  EXPECT_TRUE(*store.removeFile("/a/A.PCG"));
  EXPECT_FALSE(*store.removeFile("/a/A.PCG"));
  EXPECT_TRUE(store.find("Fat", 0, "")->empty());
  EXPECT_EQ(store.file("/b/B.PCG")->value().sha256, "bb");
}

TEST_F(LibraryStoreTest, ANewerOrDamagedLibraryIsRefusedAndLeftAsItIs) {
  { filled(); }
  {
    auto db = sql::Connection::Open(path, false);
    ASSERT_TRUE(db->execute("PRAGMA user_version=7").ok());
  }
  EXPECT_EQ(test::ResultText(LibraryStore::Open(path)),
            "Library " + path + ": written by a newer Patchlore (schema 7, this one knows 1); it is left as it is");
  const std::string damaged = dir.write("damaged.sqlite", std::string(4096, 'x'));
  EXPECT_EQ(test::ResultText(LibraryStore::Open(damaged)), "Library " + damaged + ": file is not a database");
}

}  // namespace
}  // namespace patchlore
