#include <gtest/gtest.h>

#include <functional>

#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "support/combination_builder.hpp"
#include "viewer/viewer_core.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;
using test::PutTimbre;
using test::TimbreBytes;

// Edits combination j of the combination bank; the body after the name starts as zeros.
using CombinationEditor = std::function<void(int j, Bytes& record)>;

// Programs I-A000, I-A001 and U-A000, then one combination bank I-A.
PcgBuilder CombiPcg(std::uint8_t model, int combinations, const CombinationEditor& edit) {
  PcgBuilder builder(model);
  builder.programBank(0, 2).programBank(0x20000, 1).combiBank(0, combinations);
  builder.editPatches([edit](const test::BankPlan& bank, int j, Bytes& record) {
    if (bank.id != "CBK1") return;
    test::ClearCombinationBody(record);
    edit(j, record);
  });
  return builder;
}

// Every timbre of every combination as given.
CombinationEditor AllTimbres(const ModelConstants& model, const TimbreBytes& timbre) {
  return [model, timbre](int, Bytes& r) {
    for (int t = 0; t < 16; ++t) PutTimbre(r, model, t, timbre);
  };
}

class CombinationDisplay : public ::testing::Test {
 protected:
  test::ViewerFixture f;

  std::vector<std::int64_t> combiBanks(int file) {
    const Image image = f.registry().image(file);
    return BankRun(image, FindChunk("CMB1", image), BankRunKind::Combinations);
  }
  std::unique_ptr<ViewerCore> viewer(int file, std::vector<const char*> ticks = {}) {
    std::vector<ViewerObject> banks;
    for (const auto b : combiBanks(file)) banks.push_back(test::ViewerFixture::Object("Combi Bank", b));
    auto v = f.viewer(file, banks, "Combi");
    for (const char* name : ticks) v->setColumnBox(name, true);
    return v;
  }
  static std::vector<std::string> Column(const Table& table, std::size_t c) {
    std::vector<std::string> cells;
    for (const auto& row : table.rows) cells.push_back(row.cells.at(c));
    return cells;
  }
};

const std::vector<const char*> kAllColumns = {"TStatus", "TPName", "TPlay", "TMute", "TPan",
                                              "TVolume", "TTranspose", "TKeyboardZones", "TVelocityZones"};

TEST_F(CombinationDisplay, KronosTimbreTextsWithPrefixesAndOffsets) {
  const ModelConstants& m = kKronosConstants;
  const int file = f.load("A.PCG", CombiPcg(test::kKronos, 1, [&m](int, Bytes& r) {
    for (int t = 0; t < 16; ++t) PutTimbre(r, m, t, {});
    PutTimbre(r, m, 0, {.programNumber = 1, .statusChannel = 0x2F, .volume = 100, .transpose = 0xF4, .pan = 0,
                        .keyZoneLow = 36, .keyZoneHigh = 96, .velocityZoneLow = 10, .velocityZoneHigh = 120});
    PutTimbre(r, m, 1, {.programBank = 0x11, .statusChannel = 0x30, .pan = 1, .playMute = 0x80});
    PutTimbre(r, m, 2, {.programNumber = 5, .programBank = 0x12, .statusChannel = 0x50, .pan = 127});
    PutTimbre(r, m, 3, {.statusChannel = 0x00, .transpose = 12, .pan = 200});
    PutTimbre(r, m, 4, {.statusChannel = 0x8A});
  }).build());
  auto v = viewer(file, kAllColumns);
  v->setPrefixes(true);
  v->setShowOffsets(true);
  v->pressShow();

  const ViewerState& s = v->state();
  std::vector<std::string> captions;
  for (const auto& column : s.table.columns) captions.push_back(column.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Combi Bank", "Index", "C.Name", "Timbre", "Channel", "Status",
                                                "Prog", "P.Name", "Play/Mute", "Pan", "Volume", "Transpose",
                                                "Keyboard Zones", "Velocity Zones"}));
  const std::int64_t b = combiBanks(file)[0];
  const std::int64_t p = b + kBankHeaderSize;
  ASSERT_EQ(s.table.rows.size(), 16u);
  const std::string bankCaption =
      "I-A; offsetBank=" + HexPad(b, 2) + "; Combi bytes:" + std::to_string(test::kCombinationSize);
  EXPECT_EQ(s.table.rows[0], (TableRow{bankCaption,
                                       {"000; offset=" + HexPad(p, 2), "Combi I-A 000", "T01", "ch:16", "INT",
                                        " I-A001", "Prog I-A 001", "Play", "RND", "Vol:100", "Tran:-12",
                                        "KZone:C2..C7", "VZone:10..120"}}));
  using Cells = std::vector<std::string>;
  EXPECT_EQ(s.table.rows[1], (TableRow{"", {"", "", "T02", "ch:01", "INT", " U-A000", "Prog U-A 000", "Mute", "L001",
                                           "Vol:127", "Tran:+00", "KZone:C-1..G9", "VZone:1..127"}}));
  EXPECT_EQ(s.table.rows[2].cells, (Cells{"", "", "T03", "ch:01", "5", " U-B005", "not found in PCG", "Play", "R127",
                                          "Vol:127", "Tran:+00", "KZone:C-1..G9", "VZone:1..127"}));
  EXPECT_EQ(s.table.rows[3].cells, (Cells{"", "", "T04", "ch:01", "OFF", " I-A000", "Prog I-A 000", "Play", "",
                                          "Vol:127", "Tran:+12", "KZone:C-1..G9", "VZone:1..127"}));
  EXPECT_EQ(s.table.rows[4].cells, (Cells{"", "", "T05", "ch:11", "EX2", " I-A000", "Prog I-A 000", "Play", "C064",
                                          "Vol:127", "Tran:+00", "KZone:C-1..G9", "VZone:1..127"}));

  EXPECT_EQ(s.offsetLines, (std::vector<std::string>{"I-A000=" + Hex8(p)}));
  EXPECT_EQ(v->filters().boxExist(), (std::vector<std::string>{"I-A001=", "U-A000=", "U-B005=", "I-A000="}));
  EXPECT_EQ(v->filters().countExist(), "All Progs: 4");
  EXPECT_EQ(s.msg, "Combi Banks:1; Lines:16; Time: 10:00:00 - 10:00:05");
  EXPECT_EQ(s.info, "Processing...Combi I-A000");
  EXPECT_EQ(s.columnGroups, (ColumnGroups{true, true, true, false, false, "Timbre Parameter"}));
  EXPECT_FALSE(v->columnChecked("TName"));
  v->setColumnBox("TName", true);  // disabled: the click changes nothing
  EXPECT_FALSE(v->columnChecked("TName"));
}

// Where the first timbre lies and how far apart timbres are depends on the
// model only; a file of neither model reads every timbre at the start of
// the combination.
TEST_F(CombinationDisplay, EachModelReadsTimbresAtItsOwnPlaces) {
  struct Case {
    std::uint8_t model;
    ModelConstants constants;
    std::uint16_t version;
    const char* type;  // empty: as the Open command names it
  };
  const Case cases[] = {{test::kKronos, kKronosConstants, 0x0200, ""},
                        {test::kKronos, kKronosConstants, 0x0202, ""},
                        {test::kOasys, kOasysConstants, 0x0200, ""},
                        {test::kKronos, ModelConstants{}, 0x0200, "PCG"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type + std::to_string(c.constants.timbreSize) + "/" + std::to_string(c.version));
    const ModelConstants m = c.constants;
    const Bytes bytes = CombiPcg(c.model, 1, [m](int, Bytes& r) {
      for (int t = 0; t < 16; ++t) PutTimbre(r, m, t, {.programNumber = t, .statusChannel = 0x20 + t});
    }).version(c.version).build();
    const std::string name = "M" + std::to_string(f.registry().count()) + ".PCG";
    const int file = *c.type ? f.add(name, bytes, c.type) : f.load(name, bytes);
    auto v = viewer(file);
    v->pressShow();
    const auto& rows = v->state().table.rows;
    ASSERT_EQ(rows.size(), 16u);
    const bool oneTimbre = m.timbreSize == 0;  // all sixteen read the last one written
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"", "", "T02", oneTimbre ? "16" : "02",
                                                       oneTimbre ? " I-A015" : " I-A001"}));
    EXPECT_EQ(rows[15].cells.at(4), " I-A015");
  }
}

// The bank, number and name stand in the first row shown of a combination,
// even when its first timbres were filtered out; a combination without a
// row leaves no offsetLines line.
TEST_F(CombinationDisplay, PlayFilterAndTheFirstRowOfACombination) {
  const ModelConstants& m = kKronosConstants;
  const int file = f.load("A.PCG", CombiPcg(test::kKronos, 3, [&m](int j, Bytes& r) {
    for (int t = 0; t < 16; ++t) PutTimbre(r, m, t, {.playMute = j == 1 || t != 3 ? 0x80 : 0x00});
    if (j == 0) PutTimbre(r, m, 5, {.programNumber = 1});
  }).build());
  auto v = viewer(file, {"TPlay"});
  v->pressShow();
  const ViewerState& s = v->state();
  ASSERT_EQ(s.table.rows.size(), 3u);
  EXPECT_EQ(s.table.rows[0], (TableRow{"I-A", {"000", "Combi I-A 000", "T04", "01", " I-A000", "Play"}}));
  EXPECT_EQ(s.table.rows[1], (TableRow{"", {"", "", "T06", "01", " I-A001", "Play"}}));
  EXPECT_EQ(s.table.rows[2], (TableRow{"I-A", {"002", "Combi I-A 002", "T04", "01", " I-A000", "Play"}}));
  const std::int64_t p = combiBanks(file)[0] + kBankHeaderSize;
  EXPECT_EQ(s.offsetLines,
            (std::vector<std::string>{"I-A000=" + Hex8(p), "I-A002=" + Hex8(p + 2 * test::kCombinationSize)}));
  EXPECT_EQ(s.info, "Processing...Combi I-A002");

  // TMute alone lists the muted timbres instead; both list all.
  v->setColumnBox("TPlay", false);
  v->setColumnBox("TMute", true);
  v->pressShow();
  EXPECT_EQ(s.table.rows.size(), 3u * 16u - 3u);
  v->setColumnBox("TPlay", true);
  v->pressShow();
  EXPECT_EQ(s.table.rows.size(), 3u * 16u);
}

TEST_F(CombinationDisplay, KeyAndNameFiltersActOnEachTimbre) {
  const ModelConstants& m = kKronosConstants;
  const int file = f.load("A.PCG", CombiPcg(test::kKronos, 1, [&m](int, Bytes& r) {
    for (int t = 0; t < 16; ++t) PutTimbre(r, m, t, {.programNumber = t % 2});
    PutTimbre(r, m, 7, {.programBank = 0x11});
  }).build());
  auto v = viewer(file, {"TPName"});
  v->filters().selectEntry("I-A001=");
  v->filters().enableProgramSelection();
  v->pressShow();
  EXPECT_EQ(Column(v->state().table, 2),
            (std::vector<std::string>{"T02", "T04", "T06", "T10", "T12", "T14", "T16"}));
  EXPECT_EQ(v->state().table.rows[0].caption, "I-A");

  v->filters().clearSelection();
  v->filters().disableProgramSelection();
  v->filters().setPatternText("u-a");
  v->pressShow();
  ASSERT_EQ(v->state().table.rows.size(), 1u);
  EXPECT_EQ(v->state().table.rows[0],
            (TableRow{"I-A", {"000", "Combi I-A 000", "T08", "01", " U-A000", "Prog U-A 000"}}));
}

// Names come from the linked PCG: none linked, linked to a PCG that lacks
// the bank, and linked to another file through Link PCG.
TEST_F(CombinationDisplay, ProgramNamesOfTheLinkedPcg) {
  const ModelConstants& m = kKronosConstants;
  const Bytes combis = CombiPcg(test::kKronos, 1, [&m](int, Bytes& r) {
    for (int t = 0; t < 16; ++t)
      PutTimbre(r, m, t, {.programNumber = t % 2, .programBank = t < 8 ? 0x00 : 0x11});
  }).build();
  const int plain = f.add("C.DAT", combis, "SNG KORG KRONOS");  // not a PCG: no self-link
  auto v = viewer(plain, {"TPName"});
  v->pressShow();
  EXPECT_EQ(v->state().linkMsg, "PCG missing ");
  EXPECT_EQ(Column(v->state().table, 5), std::vector<std::string>(16, "PCG not linked"));

  const int other = f.load("L.PCG", PcgBuilder().programBank(0, 2).build());
  v->listLinkCandidates();
  v->linkPcg(other);
  v->pressShow();
  EXPECT_EQ(v->state().linkMsg, std::to_string(other) + ":L.PCG");
  const auto names = Column(v->state().table, 5);
  EXPECT_EQ(names[0], "Prog I-A 000");
  EXPECT_EQ(names[7], "Prog I-A 001");
  EXPECT_EQ(names[8], "not found in PCG");  // L.PCG has no bank U-A
  EXPECT_EQ(names[15], "not found in PCG");
}

// After Cancel the rows so far stay and Msg keeps the text of the Show's
// beginning.
TEST_F(CombinationDisplay, CancelKeepsTheRowsSoFar) {
  const int file = f.load("A.PCG", CombiPcg(test::kOasys, 4, AllTimbres(kOasysConstants, {})).build());
  auto v = viewer(file);
  f.reporter.onPump = [&] {
    if (v->state().table.rows.size() == 20) v->cancel();
  };
  v->pressShow();
  EXPECT_EQ(v->state().table.rows.size(), 20u);
  EXPECT_EQ(v->state().msg, "Patch=Combi; PatchCode=C");
  EXPECT_EQ(v->state().info, "Processing...Combi I-A000");
  EXPECT_EQ(v->state().offsetLines.size(), 2u);
  EXPECT_TRUE(v->state().showEnabled);
  EXPECT_FALSE(f.shared.cancelRequested);
}

}  // namespace
}  // namespace patchlore
