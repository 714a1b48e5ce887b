// `patchlore-cli show` on the songs of an SNG with a linked PCG: by song,
// then by program.
#include <gtest/gtest.h>

#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

TEST(CliShowSong, BySongAndByProgramWithTheLinkedNames) {
  test::TempDir dir;
  const auto pcg = dir.write("L.PCG", test::PcgBuilder().programBank(0, 2).build());
  test::TrackPlan lead;
  lead.name = "Lead";
  lead.program = 1;
  const test::Bytes sng = test::SngBuilder().song("Intro", 1).track(lead).build();
  const auto sngPath = dir.write("S.SNG", sng);
  const std::string command = "PATCHLORE_FIXED_TIME=11:22:33 " + std::string(PATCHLORE_CLI) + " show '" + sngPath +
                              "' --link '" + pcg + "' --tick TPName --select I-A001 --ena-prog";
  const std::string caption = "Caption: Song 1:SNG KORG KRONOS (bytes:" + std::to_string(sng.size()) + ") \\S.SNG\n";

  const test::CliRun bySong = test::RunCommand(command);
  EXPECT_EQ(bySong.status, 0);
  EXPECT_EQ(bySong.out, caption +
                            "Msg: Songs :1; Lines:1; All Progs: 2; Selected: 1\n"
                            "Info: Processing...S001\n"
                            "LinkMsg: 0:L.PCG\n"
                            "Sep=; \n"
                            "Song; S.Name; Track; Channel; T.Name; Prog; P.Name; \n"
                            "Song S001; Intro; MT01; 01; Lead; I-A001; Prog I-A 001; \n");

  const test::CliRun byProg = test::RunCommand(command + " --by-prog");
  EXPECT_EQ(byProg.status, 0);
  EXPECT_EQ(byProg.out, caption +
                            "Msg: Songs :1; Lines:1; All Progs: 2; Selected: 1\n"
                            "Info: Processing...I-A001\n"
                            "LinkMsg: 0:L.PCG\n"
                            "Sep=; \n"
                            "Prog; P.Name; Song; \n"
                            "I-A001; Prog I-A 001; S001; \n");
}

}  // namespace
}  // namespace patchlore
