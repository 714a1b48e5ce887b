// End-to-end runs of "patchlore-cli list" on files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "common/bytes.hpp"
#include "formats/chunks.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/cli_runner.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::CliRun;

CliRun RunList(const std::string& path) {
  return test::RunCommand(std::string(PATCHLORE_CLI) + " list '" + path + "'");
}

class CliList : public ::testing::Test {
 protected:
  test::TempDir dir;
};

TEST_F(CliList, PrintsTheCatalogueOfAPcgWithTheUnshownSubItems) {
  const test::Bytes pcg = test::PcgBuilder()
                              .programBank(0x00020000, 3, 40)
                              .combiBank(0x00000001, 2, 40)
                              .drumKitBank(0x00000000, 1, 30)
                              .waveSequenceBank(0x00020006, 5, 30)
                              .build();
  const auto path = dir.write("K.PCG", pcg);
  const Image image(pcg);
  const std::string prg = Hex8(FindChunk("PRG1", image) + 12), cmb = Hex8(FindChunk("CMB1", image) + 12);
  const std::string dkt = Hex8(FindChunk("DKT1", image) + 12), wsq = Hex8(FindChunk("WSQ1", image) + 12);
  const CliRun run = RunList(path);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Caption: 0:PCG KORG KRONOS (bytes:" + std::to_string(pcg.size()) + ") \\K.PCG\n"
            "Columns: Object\tIndex\tName\tType\tCount\n"
            "Row: Prog Bank\t01\tU-A\tHD-1\t3\n"
            "Row: Combi Bank\t01\tI-B\t\t2\n"
            "Row: Drum Kit Bank\t01\tI-A\t\t1\t" + dkt + "\n"
            "Row: Wave Sequence Bank\t01\tU-G\t\t5\t" + wsq + "\n"
            "Offset: Prog Bank U-A=" + prg + "\n"
            "Offset: Combi Bank I-B=" + cmb + "\n"
            "Offset: Drum Kit Bank I-A=" + dkt + "\n"
            "Offset: Wave Sequence Bank U-G=" + wsq + "\n"
            "Msg: Lines:4\n"
            "ActionMsg: CreateFormOpen: iopen=0; iForm=0\n");
}

TEST_F(CliList, PrintsTheSongsOfAnSng) {
  test::SngBuilder builder(test::kOasys);
  builder.song("Intro", 4, 0x0003).song("Outro", 9);
  const std::int64_t first = builder.sng1Offset() + 12 + 12 + 12 + 2 * 64 + 12;
  const auto path = dir.write("S.SNG", builder.build());
  const CliRun run = RunList(path);
  EXPECT_EQ(run.status, 0);
  const std::string blanks(19, ' ');
  EXPECT_EQ(run.out,
            "Caption: 0:SNG KORG OASYS (bytes:" + std::to_string(builder.build().size()) + ") \\S.SNG\n"
            "Columns: Object\tIndex\tSong Name\tMute tracks\tPlay tracks\n"
            "Row: Song S004\t1\tIntro" + blanks + "\t2\t14\n"
            "Row: Song S009\t2\tOutro" + blanks + "\t0\t16\n"
            "Offset: Song S004=" + Hex8(first) + "\n"
            "Offset: Song S009=" + Hex8(first + 692) + "\n"
            "Msg: Lines:2\n"
            "ActionMsg: CreateFormOpen: iopen=0; iForm=0\n");
}

TEST_F(CliList, SysexListsEveryMessage) {
  const auto path = dir.write("M.SYX", test::Bytes{0x01, 0xF0, 0x42, 0xF7, 0xF0, 0xF7});
  const CliRun run = test::RunCommand(std::string(PATCHLORE_CLI) + " list --sysex '" + path + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Caption: 0:SysEx  ; Count:2 (bytes:6) \\M.SYX\n"
            "Columns: Header (hex)\tIndex\tManufacture/Model ID\tOffset (hex)\tLength\n"
            "Row: Sysex F042F7\t1\tKorg(last byte[3]=F7 Model_ID(byte[4]) missing *error\t00000001\t3\n"
            "Row: Sysex F0F7\t2\t Only F0F7 *error\t00000004\t2\n"
            "Offset: Sysex F042F7=00000001\n"
            "Offset: Sysex F0F7=00000004\n"
            "Msg: Lines:2\n"
            "ActionMsg: CreateFormOpen: iopen=0; iForm=0\n");
}

TEST_F(CliList, AFileTheLoaderRefusesPrintsItsErrorAndFails) {
  const CliRun run = RunList(dir.write("X.PCG", std::string("ABCD and more bytes")));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "ActionMsg: Format ERROR-1. Unknown file_Header'ABCD' - must be 'KORG'\n");
  const std::string missing = dir.path().string() + "/MISSING.PCG";
  const CliRun unread = RunList(missing);
  EXPECT_EQ(unread.status, 2);
  EXPECT_EQ(unread.out, "ActionMsg: Format ERROR-1. Unknown file_Header'' - must be 'KORG'\n"
                        "patchlore-cli: cannot read " + missing + ": No such file or directory\n");
}

TEST_F(CliList, APcgOfWrongLengthListsNoRowAndShowsTheError) {
  test::Bytes pcg = test::PcgBuilder().programBank(0, 1, 24).build();
  pcg[23] ^= 2;
  const auto path = dir.write("W.PCG", pcg);
  const CliRun run = RunList(path);
  EXPECT_EQ(run.status, 1);
  const std::string error = "ERROR: PCG uncorrect length. *** Offset=00000014 " +
                            HexText(std::string(pcg.begin() + 20, pcg.begin() + 24)) + " *** Must be " +
                            Hex8(static_cast<std::int64_t>(pcg.size()));
  EXPECT_EQ(run.out,
            "Caption: 0:PCG KORG KRONOS (bytes:" + std::to_string(pcg.size()) + ") \\W.PCG\n"
            "Columns: Object\tIndex\tName\tType\tCount\n"
            "Msg: " + error + "\n"
            "ActionMsg: " + error + "\n");
}

}  // namespace
}  // namespace patchlore
