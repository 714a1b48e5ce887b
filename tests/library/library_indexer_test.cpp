#include "library/library_indexer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

class LibraryIndexerTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::filesystem::path files = dir.path() / "files";
  std::string at(const char* name) const { return (files / name).string(); }

  LibraryStore open() {
    Result<LibraryStore> store = LibraryStore::Open((dir.path() / "library.sqlite").string());
    if (!store) ADD_FAILURE() << test::ResultText(store);
    return std::move(*store);
  }
  void write(const char* name, const Bytes& bytes) {
    std::filesystem::create_directories(files / "sub");
    dir.write((std::filesystem::path("files") / name).string(), bytes);
  }
};

TEST_F(LibraryIndexerTest, IndexesWhatTheLoaderTakesSkipsWhatIsUnchangedAndPrunesWhatIsGone) {
  write("A.PCG", test::PcgBuilder().programBank(0x00020000, 2).combiBank(0x00000001, 1).build());
  write("sub/S.SNG", test::SngBuilder(test::kOasys).song("Intro", 4).build());
  write("B.PCG", Bytes{0x4B, 0x4F, 0x52, 0x47, 0x21});  // begins as a PCG does, and ends there
  write("notes.txt", Bytes{0x4B, 0x4F, 0x52, 0x58, 0x21});
  write("sub/M.SYX", Bytes{0xF0, 0x42, 0x30, 0x68, 0x41, 0xF7});
  std::filesystem::create_directory_symlink(files, files / "sub" / "loop");
  LibraryStore store = open();
  LibraryIndexer indexer(store);
  const std::vector<std::string> lines = indexer.add({files.string()});
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Indexed: " + at("A.PCG") + "\t3 patches");
  EXPECT_EQ(lines[1], "Refused: " + at("B.PCG") + "\tFormat ERROR-3.Unknown Model_ID<21> of KORG");
  EXPECT_EQ(lines[2], "Indexed: " + at("sub/S.SNG") + "\t1 patches");
  EXPECT_EQ(lines[3], "Passed over: 2 files that are not PCG or SNG files");
  EXPECT_TRUE(indexer.refused());
  EXPECT_FALSE(indexer.failed());
  EXPECT_EQ(indexer.counts().patches, 4);
  EXPECT_EQ(store.find("Intro", 'S', "")->size(), 1u);

  EXPECT_EQ(LibraryIndexer(store).add({at("A.PCG")}), (std::vector<std::string>{"Unchanged: " + at("A.PCG")}));
  std::filesystem::remove(at("sub/S.SNG"));
  EXPECT_EQ(*PruneLibrary(store), (std::vector<std::string>{"Removed: " + at("sub/S.SNG")}));
  EXPECT_EQ(store.stats()->files, 1);
}

TEST_F(LibraryIndexerTest, AStopAfterAFileKeepsWhatWasStored) {
  write("A.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  write("B.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  LibraryStore store = open();
  LibraryIndexer indexer(store, [](const IndexCounts&) { return false; });
  EXPECT_EQ(indexer.add({files.string()}),
            (std::vector<std::string>{"Indexed: " + at("A.PCG") + "\t1 patches", "Stopped"}));
  EXPECT_EQ(*store.filePaths(), (std::vector<std::string>{at("A.PCG")}));
}

}  // namespace
}  // namespace patchlore
