// End-to-end runs of "patchlore-cli library" on a library in a temporary folder.
#include <gtest/gtest.h>

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
  EXPECT_EQ(run.out.substr(0, run.out.find("Bytes:")), "Files: 2\nPatches: P=3 C=1 D=0 W=0 T=0 S=0\nDuplicates: 1\n");
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
  EXPECT_EQ(test::RunCommand(library + "rebuild").out,
            "Library: " + db + " (fresh; the one before is kept as " + db + ".old)\n");
  EXPECT_EQ(test::TempDir::read(db + ".old"), damaged);
  EXPECT_EQ(test::RunCommand(library + "stats").status, 0);
}

}  // namespace
}  // namespace patchlore
