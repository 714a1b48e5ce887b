// End-to-end runs of the patchlore-cli binary on files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "support/midi_file_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/cli_runner.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::CliRun;

CliRun RunCli(const std::string& arguments) {
  return test::RunCommand(std::string(PATCHLORE_CLI) + " " + arguments);
}

class Cli : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string quoted(const std::string& path) const { return "'" + path + "'"; }
};

TEST_F(Cli, InfoPrintsTheMainWindowAfterEachFileThenTheRows) {
  const auto pcg = dir.write("A.PCG", test::SmallestPcg());
  const auto sng = dir.write("S.SNG", test::SngBuilder(test::kOasys).song("Intro", 1).build());
  const std::string folder = dir.path().string() + "/";
  const auto sngSize = std::to_string(test::SngBuilder(test::kOasys).song("Intro", 1).build().size());
  const CliRun run = RunCli("info " + quoted(pcg) + " " + quoted(sng));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "ActionMsg: PCG KORG KRONOS load from file<A.PCG>\n"
            "MsgView:   Loaded:1;   Please, Open and try to Load file.\n"
            "Caption: Patchlore Open file <A.PCG> Bytes:52\n"
            "View: Patchlore Open file <A.PCG> Bytes:52\n"
            "View: Patchlore  ---End of File--- <A.PCG>\n"
            "ActionMsg: SNG KORG OASYS load from file<S.SNG>\n"
            "MsgView:   Loaded:2;   Please, Open and try to Load file.\n"
            "Caption: Patchlore Open file <S.SNG> Bytes:" + sngSize + "\n"
            "View: Patchlore Open file <S.SNG> Bytes:" + sngSize + "\n"
            "View: Patchlore  ---End of File--- <S.SNG>\n"
            "Row: 0\tA.PCG\t52\tPCG KORG KRONOS\t" + folder + "\n"
            "Row: 1\tS.SNG\t" + sngSize + "\tSNG KORG OASYS\t" + folder + "\n"
            "LinkedPcgIndex: 0\n");
}

TEST_F(Cli, InfoFailsWhenAFileIsRejected) {
  const auto pcg = dir.write("A.PCG", test::SmallestPcg());
  const CliRun run = RunCli("info " + quoted(dir.path().string()) + " " + quoted(pcg));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("ActionMsg: Format ERROR-1. Unknown file_Header'' - must be 'KORG'\n"), std::string::npos);
  EXPECT_NE(run.out.find("Row: 0\tA.PCG"), std::string::npos);
}

TEST_F(Cli, InfoSysexRunsOpenAsSysEx) {
  const auto syx = dir.write("M1.SYX", test::Bytes{0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7, 0xF0, 0xF7});
  const auto pcg = dir.write("A.PCG", test::SmallestPcg());
  const CliRun run = RunCli("info --sysex " + quoted(syx) + " " + quoted(pcg));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "ActionMsg: SysEx  load from file<M1.SYX>\n"
            "MsgView:   Loaded:1;   Please, Open and try to Load file.\n"
            "Caption: Patchlore Open file <M1.SYX> Bytes:8\n"
            "ActionMsg: SysEx  Sysex missing in  file<A.PCG>\n"
            "MsgView:   Loaded:1;   Please, Open and try to Load file.\n"
            "Caption: Patchlore Open file <A.PCG> Bytes:52\n"
            "Row: 0\tM1.SYX\t8\tSysEx  ; Count:2\t" + dir.path().string() + "/\n"
            "LinkedPcgIndex: -1\n");
}

TEST_F(Cli, InfoSmfImportsTheSysexOfMidiFiles) {
  const auto mid = dir.write("DUMP.MID", test::MidiFileBuilder(0).track().sysex(0, {0x42, 0xF7}).endOfTrack().build());
  const auto bad = dir.write("BAD.MID", test::MidiFileBuilder(0).track().event(0, {0x3C}).build());
  const CliRun run = RunCli("info --smf " + quoted(mid) + " " + quoted(bad));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "ActionMsg: SysEx  load from file<DUMP.MID>\n"
            "MsgView:   Loaded:1;   Please, Open and try to Load file.\n"
            "Caption: Patchlore \n"
            "ActionMsg: ERROR: MIDI file <BAD.MID>: Track 1 at offset $00000017: running status with no status byte "
            "before it\n"
            "MsgView:   Loaded:1;   Please, Open and try to Load file.\n"
            "Caption: Patchlore \n"
            "Row: 0\tDUMP.syx\t3\tSysEx  ; Count:1\t" + dir.path().string() + "/\n"
            "LinkedPcgIndex: -1\n");
}

TEST_F(Cli, CheckPrintsTheListingInUtf8OrRaw) {
  const auto sng = dir.write("S.SNG", test::SngBuilder().song("Intro", 5).build());
  const CliRun utf8 = RunCli("check " + quoted(sng));
  EXPECT_EQ(utf8.status, 0);
  EXPECT_NE(utf8.out.find("; контроль длины файла "), std::string::npos);
  EXPECT_NE(utf8.out.find("\n000; S005; Song<Intro>\n*** SNG List End ***\nType of file=KORG KRONOS SNG \n"),
            std::string::npos);
  const CliRun raw = RunCli("--raw check " + quoted(sng));
  EXPECT_NE(raw.out.find("; \xEA\xEE\xED\xF2\xF0\xEE\xEB\xFC "), std::string::npos);
  EXPECT_EQ(raw.out.substr(0, sng.size() + 1), sng + "\n");
}

TEST_F(Cli, CheckRefusesWhatItCannotRead) {
  const CliRun missing = RunCli("check " + quoted((dir.path() / "none").string()));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.out.find("cannot read"), std::string::npos);
  EXPECT_EQ(RunCli("check " + quoted(dir.path().string())).status, 2);
  const auto empty = dir.write("E", test::Bytes{});
  const CliRun listed = RunCli("check " + quoted(empty));
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(listed.out.find("Type of file=not KORG Undefined type of file: not PCG and not SNG *** \n"), std::string::npos);
}

TEST_F(Cli, HelpAndUsage) {
  EXPECT_EQ(RunCli("info --help").status, 0);
  EXPECT_EQ(RunCli("check --help").status, 0);
  EXPECT_NE(RunCli("").status, 0);
}

}  // namespace
}  // namespace patchlore
