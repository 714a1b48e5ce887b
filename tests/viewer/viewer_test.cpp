#include <gtest/gtest.h>

#include "viewer/viewer_core.hpp"
#include "support/midi_file_builder.hpp"
#include "support/sysex_builder.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

class ViewerFrame : public ::testing::Test {
 protected:
  test::ViewerFixture f;
  test::FakeDialogs dialogs;

  std::unique_ptr<ViewerCore> bare() {
    return std::make_unique<ViewerCore>(f.registry(), f.shared, f.reporter, [] { return "09:08:07"; });
  }
};

TEST_F(ViewerFrame, CreationRunsTheFirstShow) {
  auto v = bare();
  v->create();
  const ViewerState& s = v->state();
  EXPECT_EQ(s.caption, "Object FormView");
  EXPECT_EQ(s.msg, "Patch=Object; PatchCode=O");
  EXPECT_EQ(s.info, "");
  EXPECT_EQ(s.linkMsg, "PCG missing ");
  EXPECT_EQ(s.sw1.caption, "SW1: by Object");
  EXPECT_EQ(s.sw2.caption, "SW2: Bank onse");
  EXPECT_FALSE(s.sw3.visible);
  EXPECT_FALSE(s.checkOffset.visible);
  EXPECT_EQ(v->filters().countSubstr(), "Substrings: 0");
  EXPECT_EQ(s.table.columns, InitialViewerColumns());
  EXPECT_TRUE(s.showEnabled);
  EXPECT_TRUE(v->canClose());
}

TEST_F(ViewerFrame, ColumnBoxesKeepTheirRules) {
  auto v = bare();
  EXPECT_TRUE(v->setColumnBox("TChannel", false));
  EXPECT_TRUE(v->columnChecked("TChannel"));
  EXPECT_TRUE(v->setColumnBox("POctave", true));
  EXPECT_FALSE(v->columnChecked("POctave"));
  EXPECT_TRUE(v->setColumnBox("TStatus", true));
  EXPECT_TRUE(v->columnChecked("TStatus"));
  EXPECT_FALSE(v->setColumnBox("Nothing", true));
  // The Octave column never shows, even in a program view.
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 1).build());
  auto p = f.viewer(file, {test::ViewerFixture::Line(f.programBanks(file)[0])});
  p->setColumnBox("POctave", true);
  p->pressShow();
  for (const auto& column : p->state().table.columns) EXPECT_NE(column.caption, "Octave");
}

TEST_F(ViewerFrame, ModelAndVersionConstants) {
  EXPECT_EQ(ModelConstantsFor(Model::Kronos), kKronosConstants);
  EXPECT_EQ(ModelConstantsFor(Model::Oasys), kOasysConstants);
  EXPECT_EQ(ModelConstantsFor(Model::None), ModelConstants{});
  EXPECT_EQ(VersionConstantsFor("0202"), kLongZoneConstants);  // the long zone records start here
  EXPECT_EQ(VersionConstantsFor("0200"), kShortZoneConstants);
  EXPECT_EQ(VersionConstantsFor(""), kShortZoneConstants);

  // Show stores the record size of the model for every viewer.
  const int oasys = f.load("O.PCG", PcgBuilder(test::kOasys).programBank(0, 1).build());
  f.viewer(oasys, {})->pressShow();
  EXPECT_EQ(f.shared.timbreSize, 186);
}

TEST_F(ViewerFrame, SwitchCaptions) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 1).build());
  auto v = f.viewer(file, {});
  v->pressShow();
  EXPECT_EQ(v->state().sw1.caption, "SW1: by Prog");
  v->setByObject(false);
  EXPECT_EQ(v->state().sw1.caption, "SW1: by Prog");
  v->setBankOnce(true);
  EXPECT_EQ(v->state().sw2.caption, "SW2: Bank once ");

  auto song = f.viewer(file, {}, "Song");
  song->pressShow();
  EXPECT_EQ(song->state().sw1.caption, "SW1: by Song");
  song->setByObject(false);
  song->pressShow();
  EXPECT_EQ(song->state().sw1.caption, "SW1: by Prog");
  song->setByObject(true);
  EXPECT_EQ(song->state().sw1.caption, "SW1: by Song");

  auto fresh = f.viewer(file, {}, "Song");
  fresh->setByObject(false);  // before any Show: the caption has no "Object" left to replace
  fresh->pressShow();
  EXPECT_EQ(fresh->state().sw1.caption, "SW1: by Prog");
}

TEST_F(ViewerFrame, LinksAndLinkedProgramNames) {
  const int a = f.load("A.PCG", PcgBuilder().programBank(0, 2).build());
  const int b = f.load("B.PCG", PcgBuilder().programBank(0x20000, 1).programBank(1, 1, test::kProgramSize, "MBK1").build());
  const int s = f.add("S.SNG", Bytes(64, 0), "SNG KORG KRONOS");
  f.registry().setLinkedPcgIndex(a);

  // A viewer of B's objects links itself to B.
  auto v = f.viewer(b, {});
  v->pressShow();
  EXPECT_EQ(f.registry().linkedPcgIndex(), b);
  EXPECT_EQ(v->state().linkMsg, "1:B.PCG");
  EXPECT_EQ(v->state().pcg, (std::vector<std::string>{"1:B.PCG", "U-A000=Prog U-A 000", "I-B000=Prog I-B 000"}));

  // A song viewer keeps the link.
  auto song = f.viewer(s, {}, "Song");
  song->pressShow();
  EXPECT_EQ(song->state().linkMsg, "1:B.PCG");
  EXPECT_EQ(song->state().pcg.front(), "1:B.PCG");

  song->listLinkCandidates();
  EXPECT_TRUE(song->state().linkBoxVisible);
  EXPECT_EQ(song->state().linkBox, (std::vector<std::string>{"A.PCG", "B.PCG", "not PCG : S.SNG"}));
  song->linkPcg(2);  // names no file
  song->linkPcg(9);
  EXPECT_EQ(f.registry().linkedPcgIndex(), b);
  EXPECT_TRUE(song->state().linkBoxVisible);
  song->linkPcg(0);
  EXPECT_EQ(song->state().linkMsg, "0:A.PCG");
  EXPECT_EQ(f.registry().linkedPcgIndex(), a);
  EXPECT_FALSE(song->state().linkBoxVisible);
  song->pressShow();  // the names of the new link are read at the next Show
  EXPECT_EQ(song->state().pcg, (std::vector<std::string>{"0:A.PCG", "I-A000=Prog I-A 000", "I-A001=Prog I-A 001"}));
}

TEST_F(ViewerFrame, NoPcgLoaded) {
  const int s = f.add("S.SNG", Bytes(64, 0), "SNG KORG KRONOS");
  auto song = f.viewer(s, {}, "Song");
  song->pressShow();
  EXPECT_EQ(song->state().linkMsg, "PCG missing ");
  song->listLinkCandidates();
  EXPECT_EQ(song->state().linkMsg, "PCG not loaded (open any PCG-file, please)");
  EXPECT_FALSE(song->state().linkBoxVisible);
  EXPECT_EQ(song->state().linkBox, (std::vector<std::string>{"not PCG : S.SNG"}));
}

TEST_F(ViewerFrame, ChunkSizesThatDoNotMoveForwardEndTheNameWalk) {
  Bytes image = PcgBuilder().programBank(0, 2).programBank(1, 2).build();
  const int good = f.add("G.PCG", image, "PCG KORG KRONOS");
  const auto banks = f.programBanks(good);
  // The first bank's size turns to -12: its names are read, then the walk ends.
  Bytes looping = image;
  test::PutBigEndian32(looping, banks[0] + 4, 0xFFFFFFF4u);
  const int loop = f.add("L.PCG", looping, "PCG KORG KRONOS");
  auto v = f.viewer(loop, {});
  v->pressShow();
  EXPECT_EQ(v->state().pcg, (std::vector<std::string>{"1:L.PCG", "I-A000=Prog I-A 000", "I-A001=Prog I-A 001"}));

  // A top-level chunk of size -12 before PRG1 ends the walk before any
  // program: the names are those of this file, none, never L.PCG's.
  Bytes stuck = image;
  test::PutBigEndian32(stuck, 28 + 4, 0xFFFFFFF4u);
  const int s = f.add("S.PCG", stuck, "PCG KORG KRONOS");
  v->Open(f.request(s, {}));
  v->pressShow();
  EXPECT_TRUE(v->state().pcg.empty());
}

TEST_F(ViewerFrame, SysexListsItsDescriptorLines) {
  const int file = f.add("M.SYX", Bytes(16, 0xF0), "SYSEX messages:3");
  auto v = f.viewer(file, {test::ViewerFixture::Object("Sysex 0", 0), test::ViewerFixture::Object("Sysex 1", 4),
                            test::ViewerFixture::Object("Sysex 2", 9)}, "Sysex");
  v->pressShow();
  const ViewerState& s = v->state();
  EXPECT_FALSE(s.columnsVisible);
  ASSERT_EQ(s.table.columns.size(), 5u);
  EXPECT_EQ(s.table.columns[2], (TableColumn{"Offset", 80}));
  ASSERT_EQ(s.table.rows.size(), 3u);
  EXPECT_EQ(s.table.rows[1], (TableRow{"1:", {"", "1", "Sysex 1=00000004"}}));
  EXPECT_EQ(s.msg, "Sysex:0;  Lines:3");
}

// An All Program dump, a dump one byte short, another model's dump of the
// right length and a combination dump: only the M1 dumps of their length
// list their patches, under their own message.
TEST_F(ViewerFrame, SysexListsThePatchesOfM1DumpsUnderTheirMessage) {
  std::vector<std::string> names = test::M1Names("Prog");
  names[5] = std::string("Pad\0Str\0\0\0", 10);
  Bytes file = test::M1PatchDump(0x4C, names);
  const Bytes tooShort = test::M1Dump(0x4C, {0x00}, 16349);
  Bytes foreign = test::M1PatchDump(0x4C, names);
  foreign[3] = 0x1A;
  const Bytes combination = test::M1PatchDump(0x49, {"Split"});
  for (const Bytes* message : std::initializer_list<const Bytes*>{&tooShort, &foreign, &combination})
    file.insert(file.end(), message->begin(), message->end());
  const int index = f.add("M.SYX", file, "SYSEX messages:4");
  using test::ViewerFixture;
  auto v = f.viewer(index, {ViewerFixture::Object("Sysex 0", 0), ViewerFixture::Object("Sysex 1", 16350),
                            ViewerFixture::Object("Sysex 2", 32699), ViewerFixture::Object("Sysex 3", 49049)},
                    "Sysex");
  v->pressShow();
  const ViewerState& s = v->state();
  const std::string all = "KorgM1 All Program Parameter dump Offset=6  MemoBank=00 (100) ";
  ASSERT_EQ(s.table.rows.size(), 105u);
  EXPECT_EQ(s.table.rows[0], (TableRow{"0:", {"", "0", "Sysex 0=00000000"}}));
  EXPECT_EQ(s.table.rows[1], (TableRow{"Program", {"00", "", "Prog 00", all}}));
  EXPECT_EQ(s.table.rows[6], (TableRow{"Program", {"05", "", "Pad Str", all}}));
  EXPECT_EQ(s.table.rows[100], (TableRow{"Program", {"99", "", "Prog 99", all}}));
  EXPECT_EQ(s.table.rows[101], (TableRow{"1:", {"", "1", "Sysex 1=00003FDE"}}));
  EXPECT_EQ(s.table.rows[102], (TableRow{"2:", {"", "2", "Sysex 2=00007FBB"}}));
  EXPECT_EQ(s.table.rows[103], (TableRow{"3:", {"", "3", "Sysex 3=0000BF99"}}));
  EXPECT_EQ(s.table.rows[104], (TableRow{"Combination", {"00", "", "Split",
                                                         "KorgM1 Combination Parameter dump Offset=5  [Split     ]"}}));
  EXPECT_EQ(s.msg, "Sysex:0;  Lines:105");
}

// A MIDI file's dump, imported, lists the same patch rows as the dump read
// from a .syx file; a tempo and a note before it are not messages.
TEST_F(ViewerFrame, SysexOfAMidiFileListsThePatchesOfItsDumpAsTheSyxFileDoes) {
  const Bytes dump = test::M1PatchDump(0x4C, test::M1Names("Mid"));
  const Bytes midi = test::MidiFileBuilder(0)
                         .track()
                         .meta(0, 0x51, {0x07, 0xA1, 0x20})
                         .event(0, {0x90, 0x3C, 0x40})
                         .sysex(10, Bytes(dump.begin() + 1, dump.end()))
                         .endOfTrack()
                         .build();
  const auto rowsOf = [this](const Result<int>& loaded) {
    EXPECT_TRUE(loaded.ok());
    auto v = f.viewer(loaded.ok() ? *loaded : -1, {test::ViewerFixture::Object("Sysex 0", 0)}, "Sysex");
    v->pressShow();
    return v->state().table.rows;
  };
  f.main.dialogs.openAnswers.push_back(f.dir.write("M1.SYX", dump));
  const std::vector<TableRow> fromSyx = rowsOf(f.main.window.openAsSysex());
  f.main.dialogs.openAnswers.push_back(f.dir.write("M1.MID", midi));
  const std::vector<TableRow> fromMidi = rowsOf(f.main.window.importSysexFromMidiFile());
  ASSERT_EQ(fromSyx.size(), 101u);
  EXPECT_EQ(fromSyx[100], (TableRow{"Program", {"99", "", "Mid 99",
                                                "KorgM1 All Program Parameter dump Offset=6  MemoBank=00 (100) "}}));
  EXPECT_EQ(fromMidi, fromSyx);
}

TEST_F(ViewerFrame, NestedShowsKeepEveryViewerBusyUntilItsOwnShowEnds) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 20).build());
  const ViewerObject line = test::ViewerFixture::Line(f.programBanks(file)[0]);
  auto first = f.viewer(file, {line});
  auto second = f.viewer(file, {line});
  bool nestedRan = false;
  bool firstBusyAfterNested = false;
  f.reporter.onPump = [&] {
    if (nestedRan || first->state().table.rows.size() != 5) return;
    nestedRan = true;
    second->pressShow();  // runs to its end inside the first
    firstBusyAfterNested = first->ownShowRunning() && !first->canClose() && !second->canClose();
  };
  first->pressShow();
  EXPECT_TRUE(nestedRan);
  EXPECT_TRUE(firstBusyAfterNested);
  EXPECT_EQ(second->state().table.rows.size(), 20u);
  EXPECT_EQ(first->state().table.rows.size(), 20u);
  EXPECT_TRUE(first->canClose());
  EXPECT_EQ(f.shared.showsRunning, 0);
}

TEST_F(ViewerFrame, CancelInAnyViewerStopsEveryRunningShow) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 20).build());
  const ViewerObject line = test::ViewerFixture::Line(f.programBanks(file)[0]);
  auto first = f.viewer(file, {line});
  auto second = f.viewer(file, {line});
  bool nestedStarted = false;
  f.reporter.onPump = [&] {
    if (!nestedStarted && first->state().table.rows.size() == 3) {
      nestedStarted = true;
      second->pressShow();
    } else if (nestedStarted && second->ownShowRunning() && second->state().table.rows.size() == 2) {
      second->cancel();
    }
  };
  first->pressShow();
  EXPECT_EQ(second->state().table.rows.size(), 2u);
  EXPECT_EQ(first->state().table.rows.size(), 3u);
  EXPECT_FALSE(f.shared.cancelRequested);
  EXPECT_TRUE(first->canClose());
}

TEST_F(ViewerFrame, SettingsArea) {
  auto v = bare();
  v->openBankProgFilter();
  EXPECT_EQ(v->filters().countExist(), "All Progs: 0");
  EXPECT_EQ(v->filters().countSelect(), "Selected: 0");
  v->openExportSettings();
  v->openNameFilter();
  EXPECT_EQ(v->state().settings, (SettingsArea{true, true, true, true}));
  v->closeExportSettings();
  v->closeBankProgFilter();
  EXPECT_EQ(v->state().settings, (SettingsArea{true, false, false, true}));
  v->closeSettings();
  EXPECT_EQ(v->state().settings, SettingsArea{});
}

TEST_F(ViewerFrame, SaveAsCvs) {
  const int file = f.load("BANKS.PCG", PcgBuilder().programBank(0, 2).build());
  auto v = f.viewer(file, {test::ViewerFixture::Line(f.programBanks(file)[0])});
  v->pressShow();
  v->setSeparatorPosition(2);
  EXPECT_EQ(v->state().asciiCode, "ASCII ( $44 )");
  EXPECT_EQ(v->state().asciiChar, "','");

  dialogs.saveAnswers.push_back(std::nullopt);
  EXPECT_TRUE(v->exportTable(dialogs).ok());  // cancelled: nothing written, no failure
  ASSERT_EQ(dialogs.saveProposals.size(), 1u);
  EXPECT_EQ(dialogs.saveProposals[0], "BANKS.PCG.Prog Banks_1_ Lines_2_ Time_ 10_00_00 - 10_00_05.CVS");
  EXPECT_EQ(v->state().info, "ListView1.Columns.Count=5; ListView1.Items.Count=2; ; Sep=', '");

  const std::string target = (f.dir.path() / "out.txt").string();
  dialogs.saveAnswers.push_back(target);
  (void)v->exportTable(dialogs);
  const std::string text = test::TempDir::read((f.dir.path() / "out.CVS").string());
  EXPECT_EQ(text.substr(0, 57), "Sep=, \r\nProg Bank, Index, P.Name, OSC Mode, Transpose, \r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  EXPECT_EQ(v->state().info, "ListView1.Columns.Count=5; ListView1.Items.Count=2; ; Sep=', '; saved as " +
                                 (f.dir.path() / "out.CVS").string());

  const std::string msg = v->state().msg;
  dialogs.saveAnswers.push_back((f.dir.path() / "no" / "out.CVS").string());
  EXPECT_FALSE(v->exportTable(dialogs).ok());
  EXPECT_EQ(v->state().msg.substr(0, 11), "Not saved: ");
  EXPECT_NE(v->state().msg.find("/no/out.CVS"), std::string::npos);
}

TEST_F(ViewerFrame, SaveAsCsvWritesRfc4180ForASpreadsheet) {
  const int file = f.load("BANKS.PCG", PcgBuilder()
                                           .programBank(0, 2)
                                           .editPatches([](const test::BankPlan&, int patch, Bytes& record) {
                                             if (patch == 1) std::copy_n("Say \"Hi\", \xC0\0\0", 14, record.begin());
                                           })
                                           .build());
  auto v = f.viewer(file, {test::ViewerFixture::Line(f.programBanks(file)[0])});
  v->pressShow();
  dialogs.saveAnswers.push_back((f.dir.path() / "out.txt").string());
  ASSERT_TRUE(v->exportCsv(dialogs).ok());
  EXPECT_EQ(dialogs.saveProposals.back(), "BANKS.PCG.Prog Banks_1_ Lines_2_ Time_ 10_00_00 - 10_00_05.csv");
  const std::string path = (f.dir.path() / "out.csv").string();
  EXPECT_EQ(v->state().info, "Saved as " + path);
  // A byte order mark, then UTF-8: the name's NULs are blanks, its quotes doubled.
  EXPECT_EQ(test::TempDir::read(path),
            "\xEF\xBB\xBFProg Bank,Index,P.Name,OSC Mode,Transpose\r\n"
            "I-A; [HD-1],000,Prog I-A 000            ,6, OSC1:+37\r\n"
            ",001,\"Say \"\"Hi\"\", \xD0\x90             \",8, OSC1:+64\r\n");
}

}  // namespace
}  // namespace patchlore
