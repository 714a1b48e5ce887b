// End-to-end runs of "patchlore-cli usage" and "patchlore-cli diff".
#include <gtest/gtest.h>

#include "support/cli_runner.hpp"
#include "support/combination_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

test::CliRun RunCli(const std::string& arguments) {
  return test::RunCommand(std::string(PATCHLORE_CLI) + " " + arguments);
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// One combination whose T02 plays U-A012, named with a Cyrillic letter
// (Windows-1251 $C4).
Bytes CombinationPcg() {
  return test::PcgBuilder()
      .combiBank(0, 1)
      .editPatches([](const test::BankPlan&, int, Bytes& record) {
        test::ClearCombinationBody(record);
        test::TimbreBytes timbre;
        timbre.programBank = 0x11;
        timbre.programNumber = 12;
        test::PutTimbre(record, kKronosConstants, 1, timbre);
        record[0] = 0xC4;
      })
      .build();
}

TEST(CliUsage, PrintsEachUseAndExitsByWhetherAnythingUsesTheProgram) {
  test::TempDir dir;
  const std::string pcg = Quoted(dir.write("A.PCG", CombinationPcg()));
  test::TrackPlan track;
  track.bank = 0x11;
  track.program = 12;
  const std::string sng = Quoted(dir.write("S.SNG", test::SngBuilder().song("Demo", 3).track(track).build()));
  test::CliRun run = RunCli("usage " + pcg + " U-A012 --sng " + sng);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Combi: I-A000\tT02\t\xD0\x94ombi I-A 000\nSong: S003\tMT01\tDemo\n");
  run = RunCli("usage " + pcg + " U-A013");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(RunCli("usage " + Quoted(dir.path().string() + "/missing.PCG") + " U-A012").status, 2);
}

TEST(CliDiff, PrintsEachDifferingPatchAndTheSummary) {
  test::TempDir dir;
  const auto build = [](const char* firstName) {
    return test::PcgBuilder()
        .programBank(0x20000, 2, 100)
        .editPatches([firstName](const test::BankPlan&, int j, Bytes& record) {
          if (j == 0) std::copy_n(firstName, 12, record.begin());
        })
        .build();
  };
  const std::string a = Quoted(dir.write("A.PCG", build("Bass        ")));
  const std::string b = Quoted(dir.write("B.PCG", build("Fat Bass    ")));
  test::CliRun run = RunCli("diff " + a + " " + b);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Patch: renamed\tP\tU-A000\tU-A000\tBass\tFat Bass\n"
            "Summary: same=1 renamed=1 changed=0 moved=0 added=0 removed=0\n");
  run = RunCli("diff " + a + " " + a);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Summary: same=2 renamed=0 changed=0 moved=0 added=0 removed=0\n");
  EXPECT_EQ(RunCli("diff " + a + " " + Quoted(dir.write("C.TXT", std::string("not a pcg")))).status, 2);
}

}  // namespace
}  // namespace patchlore
