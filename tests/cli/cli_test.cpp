// End-to-end runs of the patchlore-cli binary on files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>

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
  const auto text = dir.write("NOTES.TXT", std::string("hello"));
  const CliRun run = RunCli("info " + quoted(text) + " " + quoted(pcg));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("ActionMsg: Format ERROR-1. Unknown file_Header'hell' - must be 'KORG'\n"), std::string::npos);
  EXPECT_NE(run.out.find("Row: 0\tA.PCG"), std::string::npos);
}

// A file that cannot be read is named with the system's reason, on standard
// error and in the log, and the status is 2.
TEST_F(Cli, InfoSaysWhyAFileCannotBeRead) {
  const std::string folder = dir.path().string();
  const std::string name = dir.path().filename().string();
  const CliRun run = RunCli("info " + quoted(folder));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out,
            "patchlore-cli: cannot read " + folder + ": Is a directory\n"
            "ActionMsg: Format ERROR-1. Unknown file_Header'' - must be 'KORG'\n"
            "MsgView:   Please, Open and try to Load file.\n"
            "Caption: Patchlore Open file <" + name + "> Bytes:0\n"
            "View: Patchlore Open file <" + name + "> Bytes:0\n"
            "View: Patchlore cannot read " + folder + ": Is a directory\n"
            "View: Patchlore Format ERROR-1. Unknown file_Header'' - must be 'KORG'\n"
            "LinkedPcgIndex: -1\n");
}

// Permissions do not hold for root: there the program runs as nobody.
TEST_F(Cli, AFileWithoutReadPermissionIsNamedSo) {
  std::string asUser;
  if (::geteuid() == 0) {
    asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    if (test::RunCommand(asUser + PATCHLORE_CLI + " --version").status != 0)
      GTEST_SKIP() << "root, and the program cannot run as nobody here";
  }
  const std::string locked = dir.write("LOCKED.PCG", test::SmallestPcg());
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);  // the folder open to all
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  const CliRun denied = test::RunCommand(asUser + PATCHLORE_CLI + " verify " + quoted(locked));
  EXPECT_EQ(denied.status, 2);
  EXPECT_EQ(denied.out, "patchlore-cli: cannot read " + locked + ": Permission denied\n");
}

// As the desktop program does with a file given to it.
TEST_F(Cli, InfoLoadsAFileOfSysexMessagesAsSysex) {
  const test::Bytes messages{0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7};
  const auto syx = dir.write("DUMP.BIN", messages);
  const CliRun run = RunCli("info " + quoted(syx));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "ActionMsg: SysEx  load from file<DUMP.BIN>\n"
            "MsgView:   Loaded:1;   Please, Open and try to Load file.\n"
            "Caption: Patchlore Open file <DUMP.BIN> Bytes:6\n"
            "View: Patchlore Open file <DUMP.BIN> Bytes:6\n"
            "View: Patchlore Format ERROR-1. Unknown file_Header'\xD1\x80" "B0' - must be 'KORG'\n"
            "Row: 0\tDUMP.BIN\t6\tSysEx  ; Count:1\t" + dir.path().string() + "/\n"
            "LinkedPcgIndex: -1\n");
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

// Every help ends with the exit statuses; --version names the version.
TEST_F(Cli, HelpVersionAndExitStatuses) {
  const std::string statuses =
      "Exit status:\n"
      "  0  done\n"
      "  1  the file or the result is not as asked: a catalogue or length error, a checksum MISMATCH,\n"
      "     differences or different lengths, nothing found\n"
      "  2  a file that cannot be read or written or is not of the kind needed, a refused command,\n"
      "     or a usage error\n";
  for (const std::string command : {"", "info", "show", "move", "receive"}) {
    const CliRun help = RunCli(command + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_TRUE(help.out.ends_with(statuses)) << command << ":\n" << help.out;
  }
  const std::string libraryStatuses =
      "  2  a file or folder not read or not stored, a library that does not exist (only add makes one)\n"
      "     or cannot be opened, or a usage error\n";
  for (const std::string command : {"library", "library find"}) {
    const CliRun help = RunCli(command + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_TRUE(help.out.ends_with(libraryStatuses)) << command << ":\n" << help.out;
  }
  const CliRun version = RunCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "patchlore-cli " PATCHLORE_VERSION "\n");
}

// Every argument error exits with 2, whatever CLI11 numbers it; an unknown
// command is named with the nearest one.
TEST_F(Cli, UsageErrorsExitWithTwo) {
  const CliRun typo = RunCli("verfy A.PCG");
  EXPECT_EQ(typo.status, 2);
  EXPECT_EQ(typo.out, "patchlore-cli: unknown command 'verfy'; did you mean 'verify'?\n");
  EXPECT_EQ(RunCli("--raw library fnd x").out,
            "patchlore-cli: unknown command 'library fnd'; did you mean 'library find'?\n");
  EXPECT_EQ(RunCli("wombat").out,
            "patchlore-cli: unknown command 'wombat'; the commands are info, check, verify, list, show, copy-bank, "
            "move, rename, ports, send, receive, compare, usage, diff, library\n");
  const CliRun timeout = RunCli("receive --timeout 0 -o x.syx");
  EXPECT_EQ(timeout.status, 2);
  EXPECT_EQ(timeout.out, "--timeout: give 1 second or more to wait for what comes, not 0\n"
                         "Run with --help for more information.\n");
  const CliRun move = RunCli("move A 0 0 A 0 1 -o B");
  EXPECT_EQ(move.status, 2);
  EXPECT_EQ(move.out, "--offset is required\nRun with --help for more information.\n");
  for (const std::string arguments : {"", "info", "check A B", "show A --format xml", "send A --delay -1"})
    EXPECT_EQ(RunCli(arguments).status, 2) << arguments;
}

// Output that could not be written is not success.
TEST_F(Cli, AFailedWriteToStandardOutputIsSaid) {
  const auto pcg = dir.write("A.PCG", test::SmallestPcg());
  const CliRun run = test::RunCommand("(" + std::string(PATCHLORE_CLI) + " check " + quoted(pcg) + " >/dev/full)");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "patchlore-cli: standard output not written: No space left on device\n");
}

}  // namespace
}  // namespace patchlore
