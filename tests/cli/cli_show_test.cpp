// End-to-end runs of `patchlore-cli show` on files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "common/bytes.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/program_layout.hpp"
#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

using ShowRun = test::CliRun;
using test::CliRun;

ShowRun RunShow(const std::string& arguments) {
  return test::RunCommand("PATCHLORE_FIXED_TIME=11:22:33 " + std::string(PATCHLORE_CLI) + " show " + arguments);
}

// Programs whose bytes after the name are all 0: Single, Poly, transpose +00.
Bytes QuietPcg() {
  return PcgBuilder()
      .programBank(0, 2)
      .programBank(0x20000, 1)
      .editPatches([](auto&, int, Bytes& r) { std::fill(r.begin() + 24, r.end(), 0); })
      .build();
}

class CliShow : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string quoted(const std::string& path) const { return "'" + path + "'"; }
  std::string size(const Bytes& b) const { return std::to_string(b.size()); }
};

TEST_F(CliShow, PrintsTheStatusTextsAndTheTableOfEachViewer) {
  const Bytes pcg = QuietPcg();
  const auto path = dir.write("A.PCG", pcg);
  const ShowRun run = RunShow(quoted(path) + " 0 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Caption: Prog 0:PCG KORG KRONOS (bytes:" + size(pcg) + ") \\A.PCG\n"
            "Msg: Prog Banks:2; Lines:3; Time: 11:22:33 - 11:22:33\n"
            "Info: Processing...Prog U-A000\n"
            "LinkMsg: 0:A.PCG\n"
            "Sep=; \n"
            "Prog Bank; Index; P.Name; OSC Mode; Transpose; \n"
            "I-A; [HD-1]; 000; Prog I-A 000            ; Single;  OSC1:+00; \n"
            "; 001; Prog I-A 001            ; Single;  OSC1:+00; \n"
            "U-A; [HD-1]; 000; Prog U-A 000            ; Single;  OSC1:+00; \n");
}

TEST_F(CliShow, FormatCsvAndJsonPrintOnlyTheTables) {
  const auto path = dir.write("A.PCG", QuietPcg());
  EXPECT_EQ(RunShow("--format csv " + quoted(path) + " 1").out,
            "Prog Bank,Index,P.Name,OSC Mode,Transpose\r\n"
            "U-A; [HD-1],000,Prog U-A 000            ,Single, OSC1:+00\r\n");
  const ShowRun json = RunShow("--format json -o " + quoted(dir.path().string()) + " " + quoted(path) + " 1");
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out, "");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "A.PCG.Prog Banks_1_ Lines_1_ Time_ 11_22_33 - 11_22_33.json"));
}

// One printable page per viewer, in UTF-8, its texts escaped, dated today.
TEST_F(CliShow, FormatHtmlWritesAPageForEachViewer) {
  const Bytes pcg = PcgBuilder()
                        .programBank(0, 2)
                        .combiBank(0, 1)
                        .editPatches([](auto&, int patch, Bytes& r) {
                          const std::string name = patch == 0 ? "Bass & <Lead> \xE9" : "Pad";
                          std::fill(r.begin(), r.end(), 0);
                          std::fill(r.begin(), r.begin() + 24, ' ');
                          std::copy(name.begin(), name.end(), r.begin());
                        })
                        .build();
  const auto path = dir.write("A.PCG", pcg);
  const auto out = dir.path() / "out";
  std::filesystem::create_directory(out);
  const ShowRun run = RunShow("--format html -o " + quoted(out.string()) + " " + quoted(path));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(out)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A.PCG.Combi Banks_1_ Lines_16_ Time_ 11_22_33 - 11_22_33.html",
                                             "A.PCG.Prog Banks_1_ Lines_2_ Time_ 11_22_33 - 11_22_33.html"}));
  const std::string page = test::TempDir::read((out / names[1]).string());
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>A.PCG</title>\n"))
      << page;
  EXPECT_NE(page.find("<h1>A.PCG</h1>\n<p>Prog 0:PCG KORG KRONOS (bytes:" + size(pcg) + ") \\A.PCG</p>\n<p>" +
                      LocalDateText() + "</p>\n"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<tr><td>I-A; [HD-1]</td><td>000</td><td>Bass &amp; &lt;Lead&gt; \xD0\xB9" + std::string(9, ' ') + "</td>"
                      "<td>Single</td><td> OSC1:+00</td></tr>\n"
                      "<tr><td></td><td>001</td><td>Pad" + std::string(21, ' ') + "</td>"),
            std::string::npos)
      << page;
}

// A file that is not a PCG or SNG but holds SysEx is shown as SysEx, with
// the patches of its M1 dumps.
TEST_F(CliShow, SysexFileListsThePatchesOfItsDumps) {
  Bytes file = test::M1PatchDump(0x40, {"Grandbient"});
  const Bytes combination = test::M1PatchDump(0x49, {"Split"});
  file.insert(file.end(), combination.begin(), combination.end());
  const ShowRun run = RunShow(quoted(dir.write("M1.syx", file)));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Caption: Sysex 0:SysEx  ; Count:2 (bytes:318) \\M1.syx\n"
            "Msg: Sysex:0;  Lines:4\n"
            "Info: \n"
            "LinkMsg: PCG missing \n"
            "Sep=; \n"
            "Sysex; Index; Offset; Name; Parameters; \n"
            "0:; ; 0; Sysex F04230194000=00000000; ; \n"
            "Program; 00; ; Grandbient; KorgM1 Program Parameter dump Offset=5  [Grandbient]; \n"
            "1:; ; 1; Sysex F04230194900=000000AA; ; \n"
            "Combination; 00; ; Split; KorgM1 Combination Parameter dump Offset=5  [Split     ]; \n");
}

// An OASYS file: the EXi offsets move, and EXi transposes are not known.
TEST_F(CliShow, OasysExiBankWholeTable) {
  const std::int64_t exi2Type =
      ProgramLayoutFor(kOasysConstants, kShortZoneConstants, true).exi1Type() + kOasysConstants.exi2Delta;
  const Bytes pcg = PcgBuilder(test::kOasys)
                        .programBank(0, 1, test::kProgramSize, "MBK1")
                        .editPatches([exi2Type](auto&, int, Bytes& r) {
                          std::fill(r.begin() + 24, r.end(), 0);
                          r[static_cast<std::size_t>(exi2Type)] = 0x02;  // AL-1
                        })
                        .build();
  const auto path = dir.write("O.PCG", pcg);
  const Image image(pcg);
  const std::int64_t p = BankRun(image, FindChunk("PRG1", image), BankRunKind::Programs).at(0) + kBankHeaderSize;
  const CliRun list = test::RunCommand(std::string(PATCHLORE_CLI) + " list " + quoted(path));
  EXPECT_NE(list.out.find("Row: Prog Bank\t01\tI-A\tEXi\t1\n"), std::string::npos) << list.out;
  const ShowRun run = RunShow(quoted(path));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Caption: Prog 0:PCG KORG OASYS (bytes:" + size(pcg) + ") \\O.PCG\n"
            "Msg: Prog Banks:1; Lines:1; Time: 11:22:33 - 11:22:33\n"
            "Info: Processing...Prog I-A000\n"
            "LinkMsg: 0:O.PCG\n"
            "Sep=; \n"
            "Prog Bank; Index; P.Name; OSC Mode; Transpose; \n"
            "I-A; [EXi]; 000; Prog I-A 000            ;  EXi2:AL-1; +D19:" + Hex8(p + program_layout::kLfoByteUnshifted) +
                "<00>0; +D1A:" + Hex8(p + program_layout::kRawByteUnshifted) + "<00>; ??? undefined for OASYS; \n");
}

TEST_F(CliShow, SwitchesColumnsAndFilters) {
  const auto path = dir.write("A.PCG", QuietPcg());
  const ShowRun run = RunShow(quoted(path) +
                              " 0 --sw2-off --sw3 --tick PVoiceMode --untick PTranspose --untick POSCMode"
                              " --select I-A000 --substr 'prog*001' --sep 5");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Sep=\t \n"
                         "Prog Bank\t Index\t P.Name\t Voice Mode\t \n"
                         "I-A; [HD-1]\t 001\t Prog I-A 001            \t Poly; Detune: 000\t \n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Msg: Prog Banks:1; Lines:1; Time: 11:22:33 - 11:22:33\n"), std::string::npos);

  // "Ena" keeps only the selected key; "Dis" on names hides the matches.
  const ShowRun ena = RunShow(quoted(path) + " 0 --select i-a001 --ena-prog --substr 'I-A 000' --dis-name");
  const std::string last = "Prog Bank; Index; P.Name; OSC Mode; Transpose; \n"
                           "I-A; [HD-1]; 001; Prog I-A 001            ; Single;  OSC1:+00; \n";
  ASSERT_GE(ena.out.size(), last.size());
  EXPECT_EQ(ena.out.substr(ena.out.size() - last.size()), last);

  const ShowRun offsets = RunShow(quoted(path) + " 1 --offsets --chain +");
  EXPECT_NE(offsets.out.find("U-A; [HD-1]; 11; offsetBank:"), std::string::npos) << offsets.out;
}

TEST_F(CliShow, LinkedPcgAndSongs) {
  const auto pcg = dir.write("L.PCG", QuietPcg());
  const Bytes sngBytes = test::SngBuilder().song("Intro", 1).build();
  const auto sng = dir.write("S.SNG", sngBytes);
  const ShowRun run = RunShow(quoted(sng) + " --link " + quoted(pcg) + " --by-prog");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Caption: Song 1:SNG KORG KRONOS (bytes:" + size(sngBytes) + ") \\S.SNG\n"
                         "Msg: Songs :1; Lines:1; All Progs: 0; Selected: 0\n"
                         "Info: Processing...missing ProgCode\n"
                         "LinkMsg: 0:L.PCG\n"),
            std::string::npos)
      << run.out;
}

TEST_F(CliShow, WritesEachTableUnderTheProposedName) {
  const auto path = dir.write("A.PCG", QuietPcg());
  const auto out = dir.path() / "out";
  std::filesystem::create_directory(out);
  const ShowRun run = RunShow(quoted(path) + " 0 -o " + quoted(out.string()));
  EXPECT_EQ(run.status, 0);
  const auto file = out / "A.PCG.Prog Banks_1_ Lines_2_ Time_ 11_22_33 - 11_22_33.CVS";
  EXPECT_EQ(run.out.substr(run.out.find("Info: ")),
            "Info: ListView1.Columns.Count=5; ListView1.Items.Count=2; ; Sep='; '; saved as " + file.string() + "\n"
            "LinkMsg: 0:A.PCG\n");
  ASSERT_TRUE(std::filesystem::exists(file)) << run.out;
  EXPECT_EQ(test::TempDir::read(file.string()),
            "Sep=; \r\nProg Bank; Index; P.Name; OSC Mode; Transpose; \r\n"
            "I-A; [HD-1]; 000; Prog I-A 000            ; Single;  OSC1:+00; \r\n"
            "; 001; Prog I-A 001            ; Single;  OSC1:+00; \r\n");

  const ShowRun failed = RunShow(quoted(path) + " 0 -o " + quoted((dir.path() / "missing").string()));
  EXPECT_EQ(failed.status, 2);
  EXPECT_NE(failed.out.find("Msg: Not saved: "), std::string::npos) << failed.out;
}

TEST_F(CliShow, BadArgumentsAndFiles) {
  const auto path = dir.write("A.PCG", QuietPcg());
  const ShowRun row = RunShow(quoted(path) + " 5");
  EXPECT_EQ(row.status, 2);
  EXPECT_EQ(row.out, "patchlore-cli: no catalogue row 5 (the catalogue has 2)\n");
  const ShowRun separator = RunShow(quoted(path) + " --sep 9");
  EXPECT_EQ(separator.status, 2);
  EXPECT_EQ(separator.out, "--sep: give a separator position from 0 to 5 (; : , . blank tab), not 9\n"
                           "Run with --help for more information.\n");
  const ShowRun html = RunShow("--format html " + quoted(path));
  EXPECT_EQ(html.status, 2);
  EXPECT_EQ(html.out, "patchlore-cli: --format html writes one page per viewer: name their folder with -o\n");
  const std::string none = (dir.path() / "none.PCG").string();
  const ShowRun missing = RunShow(quoted(none));
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "ActionMsg: Format ERROR-1. Unknown file_Header'' - must be 'KORG'\n"
                         "patchlore-cli: cannot read " + none + ": No such file or directory\n");
}

// A box is named by its switch name or its caption, in any letter case; a
// word that names none is refused with the boxes there are.
TEST_F(CliShow, ColumnBoxesByNameOrCaption) {
  const auto path = quoted(dir.write("A.PCG", QuietPcg())) + " 0";
  const ShowRun byName = RunShow(path + " --tick PKeyZone");
  EXPECT_EQ(byName.status, 0);
  EXPECT_NE(byName.out.find("Prog Bank; Index; P.Name; OSC Mode; Key Zone; Transpose; "), std::string::npos)
      << byName.out;
  EXPECT_EQ(RunShow(path + " --tick 'key zone'").out, byName.out);
  const ShowRun unknown = RunShow(path + " --tick Nothing");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out.rfind("patchlore-cli: no column check box named Nothing; the boxes are "
                              "TChannel (Channel), TStatus (Status), ", 0), 0u) << unknown.out;
  EXPECT_TRUE(unknown.out.ends_with(", PVoiceMode (Voice Mode), PKeyZone (Key Zone)\n")) << unknown.out;
}

// The viewers show the rows built before the error; the error goes to
// standard error and the status is 1.
TEST_F(CliShow, AFileThatFailsItsStructureChecksSaysSo) {
  Bytes pcg = QuietPcg();
  pcg.resize(100);
  const auto path = dir.write("CUT.PCG", pcg);
  const ShowRun run = RunShow(quoted(path));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "patchlore-cli: " + path + ": ERROR: PCG uncorrect length. *** Offset=00000014 " +
                         HexText(std::string(pcg.begin() + 20, pcg.begin() + 24)) + " *** Must be 00000064\n");
}

}  // namespace
}  // namespace patchlore
