#include <gtest/gtest.h>

#include "formats/chunks.hpp"
#include "formats/program_layout.hpp"
#include "viewer/viewer_core.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

}  // namespace

// Rows print as their texts when a comparison fails.
void PrintTo(const TableRow& row, std::ostream* out) {
  *out << '"' << row.caption << '"';
  for (const auto& cell : row.cells) *out << " | \"" << cell << '"';
}

namespace {

using namespace program_layout;

void Put(Bytes& record, std::int64_t offset, int value) {
  record[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
}

// Where the fields lie in the files these tests build (system version 0200).
const ProgramLayout kKronosFields = ProgramLayoutFor(kKronosConstants, kShortZoneConstants, false);
const ProgramLayout kOasysFields = ProgramLayoutFor(kOasysConstants, kShortZoneConstants, true);

// Clears everything after the name so that only the bytes a test sets count.
void ClearBody(Bytes& record) { std::fill(record.begin() + kNameWidth, record.end(), 0); }

// Key zones: OSC1 low and high, OSC2 low and high.
void PutKeyZones(Bytes& r, const ProgramLayout& at, int osc1Low, int osc1High, int osc2Low, int osc2High) {
  Put(r, kKeyZones + at.shift, osc1Low);
  Put(r, kKeyZones + at.shift + 1, osc1High);
  Put(r, kKeyZones + at.shift + 2, osc2Low);
  Put(r, kKeyZones + at.shift + 3, osc2High);
}

// A Double HD-1 program: Poly, hold On, detune 64, OSC1 zones 1 (ROM stereo
// multisample 300) and 3 (wave sequence 5), OSC2 zone 1 of type 3, transposes
// -12 and +5; layout of system version 0200 on a KRONOS (s = 0).
void DoubleHd1(Bytes& r) {
  const ProgramLayout& at = kKronosFields;
  ClearBody(r);
  Put(r, at.modeByte(), 0x41);
  Put(r, kDetune, 64);
  Put(r, kHoldNoteLow, 60);
  Put(r, kHoldNoteHigh, 72);
  PutKeyZones(r, at, 0, 127, 36, 96);
  const std::int64_t zone1 = at.firstZone();  // MS, ROM stereo, #0300, level 100
  Put(r, zone1, 0x01);
  Put(r, zone1 + kZoneMemory, 0x01);
  Put(r, zone1 + kZoneNumberLow, 0x2C);
  Put(r, zone1 + kZoneNumberHigh, 0x01);
  Put(r, zone1 + kZoneLevel, 100);
  const std::int64_t zone3 = zone1 + 2 * at.zoneSize;  // WS #0005, level 7
  Put(r, zone3, 0x02);
  Put(r, zone3 + kZoneNumberLow, 5);
  Put(r, zone3 + kZoneLevel, 7);
  Put(r, at.osc1Transpose(), 0xF4);               // OSC1 transpose -12
  Put(r, zone1 + at.osc2Delta, 0x03);             // OSC2 zone 1: a type in no table
  Put(r, zone1 + at.osc2Delta + kZoneNumberLow, 1);
  Put(r, at.osc1Transpose() + at.osc2Delta, 5);
}

// An EXi program with EXi1 OFF and EXi2 AL-1, Mono, hold Off.
void Exi2Only(Bytes& r, const ProgramLayout& at) {
  ClearBody(r);
  Put(r, kVoiceModeByteUnshifted, 0x80);
  Put(r, at.modeByte(), at.shift == 0 ? 0x80 : 0x00);
  Put(r, kDetune + at.shift, 3);
  Put(r, kHoldNoteLow + at.shift, 0);
  Put(r, kHoldNoteHigh + at.shift, 127);
  PutKeyZones(r, at, 24, 48, 61, 62);
  Put(r, at.exi1Type(), 0x00);                 // EXi1 OFF
  Put(r, at.exi1Type() + at.exi2Delta, 0x02);  // EXi2 AL-1
  Put(r, kLfoByteUnshifted, 0x12);
  Put(r, kRawByteUnshifted, 0x7F);
  if (!at.oasys) Put(r, kExi1TransposeUnshifted, 0xFE);
}

class ProgramDisplay : public ::testing::Test {
 protected:
  test::ViewerFixture f;

  std::unique_ptr<ViewerCore> showAll(int file, const std::vector<std::int64_t>& banks) {
    std::vector<ViewerObject> objects;
    for (const auto b : banks) objects.push_back(test::ViewerFixture::Line(b));
    auto v = f.viewer(file, objects);
    for (const char* name : {"PVoiceMode", "PKeyZone", "PMsWsDk"}) v->setColumnBox(name, true);
    v->pressShow();
    return v;
  }
  static std::vector<std::string> Captions(const Table& table) {
    std::vector<std::string> c;
    for (const auto& col : table.columns) c.push_back(col.caption);
    return c;
  }
};

TEST_F(ProgramDisplay, Hd1DoubleProgramWithZoneRows) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 1).editPatches([](auto&, int, Bytes& r) {
    DoubleHd1(r);
  }).build());
  const auto banks = f.programBanks(file);
  auto v = showAll(file, banks);
  const Table& t = v->state().table;
  EXPECT_EQ(Captions(t), (std::vector<std::string>{"Prog Bank", "Index", "P.Name", "OSC Mode", "Voice Mode",
                                                   "Key Zone", "Transpose", "MS / WS / DK"}));
  ASSERT_EQ(t.rows.size(), 3u);
  EXPECT_EQ(t.rows[0], (TableRow{"I-A; [HD-1]",
                                 {"000", "Prog I-A 000            ", "Double", "Poly; Detune: 064",
                                  " OSC1: C-1..G9;  OSC2: C2..C7; Hold:On C4..C5", " OSC1:-12 OSC2:+05",
                                  "OSC1:1  >MS   >ROM stereo   >#0300   >Level=100"}}));
  const std::vector<std::string> empties(6);
  auto zone = [&](std::string text) {
    auto cells = empties;
    cells.push_back(std::move(text));
    return TableRow{"", cells};
  };
  EXPECT_EQ(t.rows[1], zone("OSC1:3  >WS" + std::string(21, ' ') + "   >#0005   >Level=007"));
  EXPECT_EQ(t.rows[2], zone("OSC2:1  >03" + std::string(21, ' ') + "   >#0001   >Level=000"));
  const std::int64_t p = banks[0] + 24;
  EXPECT_EQ(v->state().offsetLines, (std::vector<std::string>{"I-A000=" + Hex8(p)}));
  EXPECT_EQ(v->state().msg, "Prog Banks:1; Lines:3; Time: 10:00:00 - 10:00:05");
  EXPECT_EQ(v->state().info, "Processing...Prog I-A000");
  EXPECT_EQ(v->filters().boxExist(), (std::vector<std::string>{"I-A000="}));
  EXPECT_EQ(v->filters().countExist(), "All Progs: 1");
  // The groups of the program view.
  EXPECT_EQ(v->state().columnGroups, (ColumnGroups{false, false, false, true, true}));
}

TEST_F(ProgramDisplay, OffsetsAndPrefixes) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0x20000, 1).editPatches([](auto&, int, Bytes& r) {
    DoubleHd1(r);
    Put(r, kRawRun, 0xAB);
  }).build());
  const auto banks = f.programBanks(file);
  auto v = f.viewer(file, {test::ViewerFixture::Line(banks[0])});
  v->setColumnBox("PKeyZone", true);
  v->setPrefixes(true);
  v->setShowOffsets(true);
  v->pressShow();
  const std::int64_t p = banks[0] + 24;
  const TableRow& row = v->state().table.rows.at(0);
  EXPECT_EQ(row.caption, "U-A; [HD-1]; 11; offsetBank:" + Hex8(banks[0]) + "; Prog bytes:4960");
  EXPECT_EQ(row.cells.at(0), "000; offset:" + Hex8(p) + "; +A00:" + Hex8(p + kRawRun) + "<AB40003C48000000> ");
  EXPECT_EQ(row.cells.at(3), "KeyZ: OSC1: C-1..G9;  OSC2: C2..C7; Hold:On C4..C5");
  EXPECT_EQ(row.cells.at(4), "Tran: OSC1:-12 OSC2:+05");
}

TEST_F(ProgramDisplay, ExiProgramWithOnlyExi2OnKronosAndOasys) {
  const auto build = [](std::uint8_t model, const ProgramLayout& at) {
    return PcgBuilder(model).programBank(0x8000, 1, test::kProgramSize, "MBK1")
        .editPatches([&at](auto&, int, Bytes& r) { Exi2Only(r, at); })
        .build();
  };
  const int kronos = f.load("K.PCG", build(test::kKronos, kKronosFields));
  auto v = showAll(kronos, f.programBanks(kronos));
  const std::int64_t p = f.programBanks(kronos)[0] + 24;
  const TableRow& row = v->state().table.rows.at(0);
  EXPECT_EQ(row.caption, "I-F; [EXi]");
  EXPECT_EQ(row.cells, (std::vector<std::string>{
                           "000", "Prog I-F 000            ",
                           " EXi2:AL-1; +D19:" + Hex8(p + kLfoByteUnshifted) + "<12>LFO2; +D1A:" +
                               Hex8(p + kRawByteUnshifted) + "<7F>",
                           "Mono; Detune: 003", "OSC1: C1..C3; OSC2: C#4..D4 EXi2:C#4..D4. ; Hold:Off C-1..G9",
                           "; EXi2: +00"}));

  const int oasys = f.load("O.PCG", build(test::kOasys, kOasysFields));
  auto o = showAll(oasys, f.programBanks(oasys));
  const TableRow& orow = o->state().table.rows.at(0);
  EXPECT_EQ(orow.cells.at(2).substr(0, 17), " EXi2:AL-1; +D19:");
  EXPECT_EQ(orow.cells.at(4), "OSC1: C1..C3; OSC2: C#4..D4 EXi2:C#4..D4. ; Hold:Off C-1..G9");
  EXPECT_EQ(orow.cells.at(5), "??? undefined for OASYS");
}

TEST_F(ProgramDisplay, Version0202ReadsZonesTwentyTwoBytesApart) {
  const int file = f.load("N.PCG", PcgBuilder().version(0x0202).programBank(0, 1).editPatches([](auto&, int, Bytes& r) {
    const ProgramLayout at = ProgramLayoutFor(kKronosConstants, kLongZoneConstants, false);
    ClearBody(r);
    const std::int64_t zone2 = at.firstZone() + at.zoneSize;  // type MS, its data 16 bytes in
    Put(r, zone2, 0x01);
    Put(r, zone2 + at.zoneDataShift + kZoneMemory, 0x0E);
    Put(r, zone2 + at.zoneDataShift + kZoneNumberLow, 0x10);
    Put(r, zone2 + at.zoneDataShift + kZoneLevel, 9);
    Put(r, at.osc1Transpose(), 3);
  }).build());
  auto v = showAll(file, f.programBanks(file));
  const auto& rows = v->state().table.rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].cells.size(), 6u);  // zone 1 is off: no MS cell in the program's row
  EXPECT_EQ(rows[0].cells.at(5), " OSC1:+03");
  EXPECT_EQ(rows[1].cells.back(), "OSC1:2  >MS   >EXs7 stereo   >#0016   >Level=009");
}

TEST_F(ProgramDisplay, BankNameOnceWithSw2AndFilteredRowsDoNotCount) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 3).programBank(1, 2).build());
  const auto banks = f.programBanks(file);
  auto v = f.viewer(file, {test::ViewerFixture::Line(banks[0]), test::ViewerFixture::Line(banks[1])});
  v->pressShow();
  std::vector<std::string> captions;
  for (const auto& r : v->state().table.rows) captions.push_back(r.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"I-A; [HD-1]", "", "", "I-B; [HD-1]", ""}));
  EXPECT_EQ(v->state().msg, "Prog Banks:2; Lines:5; Time: 10:00:00 - 10:00:05");

  // The first program of I-B is filtered out: the next one shows the bank.
  ASSERT_EQ(v->filters().boxExist().at(3), "I-B000=");
  v->filters().selectExisting(3);
  v->setBankOnce(true);
  v->pressShow();
  captions.clear();
  for (const auto& r : v->state().table.rows) captions.push_back(r.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"I-A; [HD-1]", "", "", "I-B; [HD-1]"}));

  v->setBankOnce(false);
  EXPECT_EQ(v->state().sw2.caption, "SW2: Bank always ");
  v->pressShow();
  captions.clear();
  for (const auto& r : v->state().table.rows) captions.push_back(r.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"I-A; [HD-1]", "I-A; [HD-1]", "I-A; [HD-1]", "I-B; [HD-1]"}));
  // BoxExist keeps one entry per key across Shows.
  EXPECT_EQ(v->filters().boxExist().size(), 5u);
}

TEST_F(ProgramDisplay, NameFilterAndEnaProg) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 12).build());
  auto v = f.viewer(file, {test::ViewerFixture::Line(f.programBanks(file)[0])});
  v->filters().setPatternText("prog*01");
  v->pressShow();
  std::vector<std::string> indexes;
  for (const auto& r : v->state().table.rows) indexes.push_back(r.cells.at(0));
  EXPECT_EQ(indexes, (std::vector<std::string>{"001", "010", "011"}));
  EXPECT_EQ(v->state().offsetLines.size(), 3u);

  v->filters().clearPatterns();
  v->filters().enableProgramSelection();
  v->pressShow();
  EXPECT_TRUE(v->state().table.rows.empty());  // "Ena" with nothing selected lists no program
  EXPECT_EQ(v->state().msg, "Prog Banks:1; Lines:0; Time: 10:00:05 - 10:00:05");
  EXPECT_EQ(v->state().info, "Processing...Prog I-A011");
}

TEST_F(ProgramDisplay, CodeInNoTableUndefinedIdAndEmptyBank) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(7, 2).programBank(0x20001, 0).combiBank(0, 1).build());
  const Image image = f.registry().image(file);
  const auto banks = f.programBanks(file);
  const auto combis = BankRun(image, FindChunk("CMB1", image), BankRunKind::Combinations);
  auto v = f.viewer(file, {test::ViewerFixture::Line(banks[0]), test::ViewerFixture::Line(banks[1]),
                           test::ViewerFixture::Line(combis[0])});
  v->pressShow();
  const auto& rows = v->state().table.rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].caption, "00000007; [HD-1]");
  EXPECT_EQ(v->state().offsetLines.at(1).substr(0, 12), "00000007001=");
  // A combination bank read as programs: chunk ID "CBK1".
  EXPECT_EQ(rows[2].caption, "I-A; [CBK1]");
  EXPECT_EQ(rows[2].cells.at(2), "43: undefined BankTypeCode");
  EXPECT_EQ(rows[2].cells.at(3), "43: undefined BankTypeCode");
  // The empty bank left Msg and Info as the bank before it did; the third set them.
  EXPECT_EQ(v->state().msg, "Prog Banks:3; Lines:3; Time: 10:00:00 - 10:00:05");
  EXPECT_EQ(v->filters().boxExist(),
            (std::vector<std::string>{"00000007000=", "00000007001=", "I-A000="}));

  auto empty = f.viewer(file, {test::ViewerFixture::Line(banks[1])});
  empty->pressShow();
  EXPECT_EQ(empty->state().msg, "Patch=Prog; PatchCode=P; Time: 10:00:05 - 10:00:05");
  EXPECT_EQ(empty->state().info, "");
}

TEST_F(ProgramDisplay, TruncatedFileGivesShorterTextsAndNoReadOutside) {
  Bytes image = PcgBuilder().programBank(0, 2).editPatches([](auto&, int, Bytes& r) { DoubleHd1(r); }).build();
  const int full = f.load("FULL.PCG", image);
  const std::int64_t bank = f.programBanks(full)[0];
  const std::int64_t second = bank + 24 + test::kProgramSize;
  image.resize(static_cast<std::size_t>(second + 2600));  // cuts the record before its key zones
  const int cut = f.add("CUT.PCG", image, "PCG KORG KRONOS");
  auto v = f.viewer(cut, {test::ViewerFixture::Line(bank), test::ViewerFixture::Line(0x0FFFFFFF)});
  for (const char* name : {"PVoiceMode", "PKeyZone", "PMsWsDk"}) v->setColumnBox(name, true);
  v->pressShow();
  const auto& rows = v->state().table.rows;
  ASSERT_EQ(rows.size(), 4u);  // the intact program with its zone rows, then the cut one
  EXPECT_EQ(rows[3].cells, (std::vector<std::string>{"001", "Prog I-A 001            ", "Double",
                                                     "Poly; Detune: 064", " OSC1: ..;  OSC2: ..; Hold:On C4..C5",
                                                     " OSC1: OSC2:"}));
  // The descriptor line past the end reads an empty header: no programs.
  EXPECT_EQ(v->state().msg, "Prog Banks:1; Lines:4; Time: 10:00:00 - 10:00:05");
}

TEST_F(ProgramDisplay, CancelStopsTheShowAndFreesTheWindow) {
  const int file = f.load("A.PCG", PcgBuilder().programBank(0, 128).build());
  auto v = f.viewer(file, {test::ViewerFixture::Line(f.programBanks(file)[0])});
  bool closableDuringShow = true;
  f.reporter.onPump = [&] {
    if (v->state().table.rows.size() == 9) {
      closableDuringShow = v->canClose();
      v->pressShow();  // the disabled button starts nothing
      v->cancel();
    }
  };
  v->pressShow();
  EXPECT_FALSE(closableDuringShow);
  EXPECT_EQ(v->state().table.rows.size(), 9u);
  EXPECT_EQ(v->state().msg, "Prog Banks:1; Lines:9");
  EXPECT_TRUE(v->state().showEnabled);
  EXPECT_TRUE(v->state().columnsEnabled);
  EXPECT_TRUE(v->canClose());
  EXPECT_FALSE(f.shared.cancelRequested);
  f.reporter.onPump = nullptr;
  v->pressShow();
  EXPECT_EQ(v->state().table.rows.size(), 128u);
}

}  // namespace
}  // namespace patchlore
