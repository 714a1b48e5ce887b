// End-to-end runs of "patchlore-cli library" on a library in a temporary folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "support/cli_runner.hpp"
#include "formats/model_layout.hpp"
#include "support/combination_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

TEST(CliLibrary, AddFindDuplicatesCountsAndForget) {
  test::TempDir dir;
  const std::string a = dir.write("A.PCG", test::PcgBuilder().programBank(0x00020000, 2).build());
  const std::string b = dir.write("B.PCG", test::PcgBuilder()
                                               .programBank(0x00020000, 1)
                                               .combiBank(0, 1)
                                               .editPatches([](const test::BankPlan& bank, int, test::Bytes& record) {
                                                 if (bank.id != "CBK1") return;
                                                 std::fill(record.begin() + 24, record.end(), 0);  // every timbre OFF
                                                 test::PutTimbre(record, kKronosConstants, 2,
                                                                 {.programNumber = 1, .programBank = 0x11});
                                               })
                                               .build());
  const std::string library =
      std::string(PATCHLORE_CLI) + " library --db '" + (dir.path() / "lib.sqlite").string() + "' ";
  test::CliRun run = test::RunCommand(library + "add '" + a + "' '" + b + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Indexed: " + a + "\t2 patches\nIndexed: " + b + "\t2 patches\n");
  EXPECT_EQ(test::RunCommand(library + "usage u-a001").out, "Combi: " + b + "\tI-A000\tT03\tCombi I-A 000\n");
  run = test::RunCommand(library + "find 'u-a 001'");
  EXPECT_EQ(run.out, "Patch: " + a + "\tP\tU-A001\tProg U-A 001\n");
  EXPECT_EQ(test::RunCommand(library + "--json find 'U-A 001'").out,
            "[{\"path\":\"" + a + "\",\"kind\":\"P\",\"key\":\"U-A001\",\"name\":\"Prog U-A 001\"}]\n");
  EXPECT_EQ(test::RunCommand(library + "dupes").out,
            "Group: 1\nPatch: " + a + "\tP\tU-A000\tProg U-A 000\nPatch: " + b + "\tP\tU-A000\tProg U-A 000\n");
  run = test::RunCommand(library + "stats");
  EXPECT_EQ(run.out.substr(0, run.out.find("Bytes:")),
            "Files: 2\nPatches: P=3 C=1 D=0 W=0 T=0 S=0 M=0 N=0\nDuplicates: 1\n");
  std::filesystem::remove(b);
  EXPECT_EQ(test::RunCommand(library + "prune").out, "Removed: " + b + "\n");
  EXPECT_EQ(test::RunCommand(library + "find Nothing").status, 1);
  EXPECT_EQ(test::RunCommand(library + "remove '" + a + "'").out, "Removed: " + a + "\n");
}

TEST(CliLibrary, ADamagedLibraryIsRefusedUntouchedAndRebuildStartsAFreshOneBesideIt) {
  test::TempDir dir;
  const std::string damaged(4096, 'x');
  const std::string db = dir.write("lib.sqlite", damaged);
  const std::string library = std::string(PATCHLORE_CLI) + " library --db '" + db + "' ";
  const test::CliRun refused = test::RunCommand(library + "stats");
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "patchlore-cli: Library " + db + ": file is not a database\n");
  EXPECT_EQ(test::TempDir::read(db), damaged);
  const test::CliRun rebuilt = test::RunCommand(library + "rebuild");
  EXPECT_EQ(rebuilt.status, 1);
  EXPECT_EQ(rebuilt.out, "Library: " + db + " (fresh; the one before is kept as " + db + ".old)\n" +
                             "patchlore-cli: Library " + db + ": file is not a database; its files are not indexed again\n");
  EXPECT_EQ(test::TempDir::read(db + ".old"), damaged);
  EXPECT_EQ(test::RunCommand(library + "stats").status, 0);
}

TEST(CliLibrary, RebuildIndexesAgainTheFilesTheOldLibraryHeldThatAreStillThere) {
  test::TempDir dir;
  const std::string a = dir.write("A.PCG", test::PcgBuilder().programBank(0x00020000, 2).build());
  const std::string b = dir.write("B.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  const std::string db = (dir.path() / "lib.sqlite").string();
  const std::string library = std::string(PATCHLORE_CLI) + " library --db '" + db + "' ";
  ASSERT_EQ(test::RunCommand(library + "add '" + a + "' '" + b + "'").status, 0);
  std::filesystem::remove(b);
  const test::CliRun rebuilt = test::RunCommand(library + "rebuild");
  EXPECT_EQ(rebuilt.status, 0);
  EXPECT_EQ(rebuilt.out, "Library: " + db + " (fresh; the one before is kept as " + db + ".old)\n" +
                             "Indexed: " + a + "\t2 patches\n");
  EXPECT_EQ(test::RunCommand(library + "stats").out.substr(0, 9), "Files: 1\n");
}

TEST(CliLibrary, ALibraryThatIsNotThereIsSaidSoAndNothingIsMade) {
  test::TempDir dir;
  const std::filesystem::path db = dir.path() / "sub" / "lib.sqlite";
  const std::string library = std::string(PATCHLORE_CLI) + " library --db '" + db.string() + "' ";
  for (const char* command : {"find Bass", "dupes", "stats", "usage U-A000", "remove A.PCG", "prune"}) {
    const test::CliRun run = test::RunCommand(library + command);
    EXPECT_EQ(run.status, 2) << command;
    EXPECT_EQ(run.out, "patchlore-cli: Library " + db.string() + ": no such file; library add makes one\n") << command;
  }
  EXPECT_FALSE(std::filesystem::exists(db.parent_path()));
}

// Files that do not begin as a PCG or SNG does (text, SysEx) are counted in
// one line; a folder that cannot be read is named, and the run exits 2. Run
// as another user when run as root, whom no folder refuses.
TEST(CliLibrary, AddCountsOtherFilesInOneLineAndNamesAFolderItCannotRead) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "f" / "locked");
  const std::string a = dir.write("f/A.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  dir.write("f/notes.txt", std::string("Patch ideas\n"));
  dir.write("f/M.SYX", test::Bytes{0xF0, 0x42, 0x30, 0x68, 0x41, 0xF7});
  dir.write("f/locked/B.PCG", test::PcgBuilder().programBank(0x00020000, 1).build());
  const std::string db = (dir.path() / "lib.sqlite").string();
  std::string user;
  if (::geteuid() == 0) {
    if (test::RunCommand("command -v setpriv").status != 0) GTEST_SKIP() << "run as root, without setpriv";
    user = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    std::filesystem::permissions(dir.path() / "f", std::filesystem::perms::all);
  }
  std::filesystem::permissions(dir.path() / "f" / "locked", std::filesystem::perms::none);
  const test::CliRun run =
      test::RunCommand(user + PATCHLORE_CLI + " library --db '" + db + "' add '" + (dir.path() / "f").string() + "'");
  std::filesystem::permissions(dir.path() / "f" / "locked", std::filesystem::perms::owner_all);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "Failed: " + (dir.path() / "f" / "locked").string() + "\tfolder not read: Permission denied\n" +
                         "Indexed: " + a + "\t1 patches\n" +
                         "Passed over: 2 files that are not PCG or SNG files\n");
}

}  // namespace
}  // namespace patchlore
