// Libraries already written stay valid: the same files indexed now give the
// same identities and patch hashes, byte for byte, as a library written
// before SHA-256 and XXH64 came from libcrypto and libxxhash.
#include <gtest/gtest.h>

#include <filesystem>

#include "library/library_indexer.hpp"
#include "library/sqlite.hpp"
#include "support/result_text.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

namespace fs = std::filesystem;

const fs::path kData = PATCHLORE_TEST_DATA;

// A line per patch: its file's name and identity, its key, size and hashes.
std::string Hashes(const fs::path& library) {
  Result<sql::Connection> db = sql::Connection::Open(library.string(), false);
  if (!db) return test::ResultText(db);
  Result<sql::Statement> query = db->prepare(
      "SELECT f.path, f.size, f.sha256, f.model, f.version, p.kind, p.key, p.size, p.hash, p.sound_hash "
      "FROM patches p JOIN files f ON f.id = p.file_id ORDER BY f.path, p.kind, p.key");
  if (!query) return test::ResultText(query);
  std::string text;
  while (query->step().value()) {
    text += fs::path(query->text(0)).filename().string();
    for (int column = 1; column < 10; ++column) text += "\t" + query->text(column);  // numbers as SQLite writes them
    text += "\n";
  }
  return text;
}

TEST(LibraryHashes, AreTheSameAsInALibraryWrittenBefore) {
  test::TempDir dir;
  fs::copy(kData / "written_before", dir.path() / "files");
  fs::copy_file(kData / "written_before.sqlite", dir.path() / "before.sqlite");
  Result<LibraryStore> store = LibraryStore::Open((dir.path() / "now.sqlite").string());
  ASSERT_TRUE(store.ok()) << test::ResultText(store);
  LibraryIndexer indexer(*store);
  (void)indexer.add({(dir.path() / "files").string()});
  ASSERT_EQ(indexer.counts().patches, 19);
  EXPECT_EQ(Hashes(dir.path() / "now.sqlite"), Hashes(dir.path() / "before.sqlite"));
}

}  // namespace
}  // namespace patchlore
