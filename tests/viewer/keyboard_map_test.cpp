// Keyboard maps of combinations and songs: the bars the rows of a listing
// give, and where the bars and keys lie in a picture.
#include <gtest/gtest.h>

#include "formats/sng.hpp"
#include "support/combination_builder.hpp"
#include "support/sng_builder.hpp"
#include "viewer/keyboard_map.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {

void PrintTo(const KeyboardBar& bar, std::ostream* out) {
  *out << "{row " << bar.row << ", T" << bar.member << ", notes " << bar.lowNote << ".." << bar.highNote
       << ", velocities " << bar.lowVelocity << ".." << bar.highVelocity << (bar.muted ? ", muted" : "")
       << (bar.reversed ? ", reversed" : "") << ", \"" << bar.label << "\"}";
}
void PrintTo(const MapRect& r, std::ostream* out) {
  *out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}

namespace {

using test::Bytes;
using test::PutTimbre;
using test::TimbreBytes;
using Bars = std::vector<KeyboardBar>;

KeyboardBar Bar(std::size_t row, int member, int lowNote, int highNote, int lowVelocity, int highVelocity,
                std::string label, bool muted = false, bool reversed = false) {
  return {row, member, lowNote, highNote, lowVelocity, highVelocity, muted, reversed, std::move(label)};
}

class KeyboardMapTest : public ::testing::Test {
 protected:
  test::ViewerFixture f;

  // A viewer of one combination bank of combinations whose timbres are set
  // by edit, shown; programs I-A000 and I-A001 exist.
  std::unique_ptr<ViewerCore> combinations(int count, const std::function<void(int j, Bytes&)>& edit,
                                           std::vector<const char*> ticks = {}) {
    test::PcgBuilder builder;
    builder.programBank(0, 2).combiBank(0, count);
    builder.editPatches([edit](const test::BankPlan& bank, int j, Bytes& record) {
      if (bank.id != "CBK1") return;
      test::ClearCombinationBody(record);
      edit(j, record);
    });
    const int file = f.load("C.PCG", builder.build());
    const Image image = f.registry().image(file);
    std::vector<ViewerObject> banks;
    for (const auto b : BankRun(image, FindChunk("CMB1", image), BankRunKind::Combinations))
      banks.push_back(test::ViewerFixture::Object("Combi Bank", b));
    auto v = f.viewer(file, banks, "Combi");
    for (const char* name : ticks) v->setColumnBox(name, true);
    v->pressShow();
    return v;
  }
};

// Each timbre that sounds spans its keyboard zone, and its velocity zone,
// with its number and its program's name as the table shows them; an OFF
// timbre has a row but no bar, a muted one is hollow.
TEST_F(KeyboardMapTest, CombinationBarsFollowTheZoneCells) {
  const ModelConstants& m = kKronosConstants;
  auto v = combinations(1, [&m](int, Bytes& r) {
    PutTimbre(r, m, 0, {.keyZoneLow = 0, .keyZoneHigh = 59, .velocityZoneLow = 1, .velocityZoneHigh = 63});
    PutTimbre(r, m, 1, {.programNumber = 1, .keyZoneLow = 60, .keyZoneHigh = 127, .velocityZoneLow = 64});
    PutTimbre(r, m, 2, {.statusChannel = 0x00});
    PutTimbre(r, m, 3, {.statusChannel = 0x61, .playMute = 0x80, .keyZoneLow = 48, .keyZoneHigh = 72});
    for (int t = 4; t < 16; ++t) PutTimbre(r, m, t, {.statusChannel = 0x00});
  });
  const std::optional<KeyboardMap> map = v->keyboardMapOfRow(2);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->title, "I-A000 Combi I-A 000");
  EXPECT_EQ(map->bars, (Bars{Bar(0, 0, 0, 59, 1, 63, "T01 Prog I-A 000"), Bar(1, 1, 60, 127, 64, 127, "T02 Prog I-A 001"),
                             Bar(3, 3, 48, 72, 1, 127, "T04 Prog I-A 000", true)}));
  EXPECT_EQ(map->barOfRow(3), 2u);
  EXPECT_EQ(map->barOfRow(2), std::nullopt);
}

// A zone whose first note lies above its second spans the two notes, and
// its label ends with the zone as its cell shows it; so does a velocity zone.
TEST_F(KeyboardMapTest, ReversedZonesSpanTheirValuesAndShowTheCellText) {
  const ModelConstants& m = kKronosConstants;
  auto v = combinations(1, [&m](int, Bytes& r) {
    PutTimbre(r, m, 0, {.keyZoneLow = 76, .keyZoneHigh = 60});
    PutTimbre(r, m, 1, {.velocityZoneLow = 100, .velocityZoneHigh = 20});
    for (int t = 2; t < 16; ++t) PutTimbre(r, m, t, {.statusChannel = 0x00});
  });
  EXPECT_EQ(v->keyboardMapOfRow(0)->bars,
            (Bars{Bar(0, 0, 60, 76, 1, 127, "T01 Prog I-A 000  E5..C4", false, true),
                  Bar(1, 1, 0, 127, 20, 100, "T02 Prog I-A 000  100..20", false, true)}));
}

// The rows of a filtered listing: bars name the rows as shown, and each
// combination's rows lead to its own map.
TEST_F(KeyboardMapTest, FilteredRowsLeadToTheirCombinationsBars) {
  const ModelConstants& m = kKronosConstants;
  auto v = combinations(2, [&m](int j, Bytes& r) {
    for (int t = 0; t < 16; ++t) PutTimbre(r, m, t, {.playMute = t == 2 || t == 5 ? 0x00 : 0x80, .keyZoneLow = j});
  }, {"TPlay"});
  ASSERT_EQ(v->state().table.rows.size(), 4u);
  EXPECT_EQ(v->keyboardMapOfRow(3)->bars, (Bars{Bar(2, 2, 1, 127, 1, 127, "T03 Prog I-A 000"),
                                                Bar(3, 5, 1, 127, 1, 127, "T06 Prog I-A 000")}));
  EXPECT_EQ(v->keyboardMapOfRow(0)->title, "I-A000 Combi I-A 000");
  EXPECT_EQ(v->keyboardMapOfRow(4), std::nullopt);
}

// Songs by song: one bar per track that sounds, labelled as the track and
// P.Name cells; by program the rows are programs and give no map.
TEST_F(KeyboardMapTest, SongTracksBySongAndNoMapByProgram) {
  test::TrackPlan low;
  low.program = 3;
  low.bank = 6;  // GM
  low.keyZoneSecond = 47;
  test::TrackPlan high = low;
  high.state = 0x20;  // muted
  high.keyZoneFirst = 48;
  high.keyZoneSecond = 127;
  high.velocityZoneFirst = 30;
  const Bytes sng = test::SngBuilder().song("Tune", 1).track(low).track(high).song("Other", 2).track(low).build();
  const int file = f.load("S.SNG", sng);
  const Image image = f.registry().image(file);
  std::vector<ViewerObject> songs;
  for (const std::int64_t offset : SongChunkOffsets(image, SngPosition(image)))
    songs.push_back(test::ViewerFixture::Object("Song", offset));
  auto v = f.viewer(file, songs, "Song");
  v->pressShow();
  const std::optional<KeyboardMap> map = v->keyboardMapOfRow(1);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->title, "Song S001 Tune");
  EXPECT_EQ(map->bars, (Bars{Bar(0, 0, 0, 47, 1, 127, "MT01 Honky-Tonk Piano"),
                             Bar(1, 1, 48, 127, 30, 127, "MT02 Honky-Tonk Piano", true)}));
  EXPECT_EQ(v->keyboardMapOfRow(16)->title, "Song S002 Other");

  v->setByObject(false);
  v->pressShow();
  EXPECT_EQ(v->keyboardMapOfRow(0), std::nullopt);
}

// White keys are one wide; black keys five eighths wide, centred between their white neighbours.
TEST(KeyboardGeometry, KeysAcrossTheKeyboard) {
  EXPECT_EQ(KeySpanOf(0), (KeySpan{0, 1, false}));        // C-1
  EXPECT_EQ(KeySpanOf(1), (KeySpan{0.6875, 1.3125, true}));  // C#-1
  EXPECT_EQ(KeySpanOf(60), (KeySpan{35, 36, false}));     // C4
  EXPECT_EQ(KeySpanOf(66), (KeySpan{38.6875, 39.3125, true}));  // F#4
  EXPECT_EQ(KeySpanOf(127), (KeySpan{74, 75, false}));    // G9
}

// Bars stand in lanes above the keyboard, from their first key's left edge
// to their last key's right edge, their velocity zone upwards in the lane;
// a point in a lane within the bar's notes finds the bar.
TEST(KeyboardGeometry, BarsInLanesAboveTheKeyboard) {
  KeyboardMap map;
  map.bars = {Bar(0, 0, 0, 59, 1, 127, ""), Bar(4, 4, 60, 127, 64, 127, "")};
  const MapLayout layout = LayOutMap(map, 750, 480);  // white keys 10 wide, keyboard 120 high
  EXPECT_EQ(layout.keyboard, (MapRect{0, 360, 750, 120}));
  EXPECT_EQ(layout.lanes, (std::vector<MapRect>{{0, 98, 750, 131}, {0, 229, 750, 131}}));
  EXPECT_EQ(layout.bars, (std::vector<MapRect>{{0, 100, 350, 127}, {350, 231, 400, 64}}));
  EXPECT_EQ(layout.keyRect(61), (MapRect{356.875, 360, 6.25, 72}));
  EXPECT_EQ(layout.barAt(400, 150), std::nullopt);
  EXPECT_EQ(layout.barAt(400, 230), 1u);
  EXPECT_EQ(layout.barAt(100, 99), 0u);
}

}  // namespace
}  // namespace patchlore
