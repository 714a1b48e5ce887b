// The song display on synthetic SNG files: track cells by song, the programs
// the songs play by program, labels, filters and damaged songs.
#include <gtest/gtest.h>

#include "formats/sng.hpp"
#include "support/sng_builder.hpp"
#include "viewer/table_export.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::SngBuilder;
using test::TrackPlan;
using Lines = std::vector<std::string>;

constexpr std::uint8_t kBankIA = 0;
constexpr std::uint8_t kBankGm = 6;
constexpr std::uint8_t kBankDrums = 16;  // g(d)
constexpr std::uint8_t kBankUA = 17;

TrackPlan Track(const std::string& name, std::uint8_t bank, std::uint8_t program) {
  TrackPlan track;
  track.name = name;
  track.bank = bank;
  track.program = program;
  return track;
}

class SongDisplayTest : public ::testing::Test {
 protected:
  test::ViewerFixture f;
  Bytes image;
  int file = -1;

  // A viewer of the songs of the SNG, in the order of songOrder (all in file order when empty).
  std::unique_ptr<ViewerCore> songs(const Bytes& sng, std::vector<int> songOrder = {}) {
    image = sng;
    file = f.load("S.SNG", sng);
    const Image loaded = f.registry().image(file);
    const std::vector<std::int64_t> offsets = SongChunkOffsets(loaded, SngPosition(loaded));
    if (songOrder.empty())
      for (std::size_t i = 0; i < offsets.size(); ++i) songOrder.push_back(static_cast<int>(i));
    std::vector<ViewerObject> songs;
    for (const int i : songOrder) songs.push_back(test::ViewerFixture::Object("Song", offsets[static_cast<std::size_t>(i)]));
    return f.viewer(file, songs, "Song");
  }

  static Lines Table(const ViewerCore& v) {
    Lines lines = CvsLines(v.state().table, "; ");
    lines.erase(lines.begin());  // "Sep=; "
    return lines;
  }
};

TEST_F(SongDisplayTest, TrackCellsWithPrefixesOnAKronosWithoutLink) {
  TrackPlan piano = Track("Piano", kBankGm, 0);
  piano.statusChannel = 0x2F;
  piano.state = 0xDF;
  TrackPlan bass = Track("Bass", kBankIA, 5);
  bass.statusChannel = 0x3F;
  bass.state = 0x20;
  bass.pan = 0;
  bass.volume = 100;
  bass.transpose = -12;
  bass.keyZoneFirst = 36;
  bass.keyZoneSecond = 60;
  bass.velocityZoneFirst = 10;
  bass.velocityZoneSecond = 100;
  auto v = songs(SngBuilder().song("Verse", 0).track(piano).track(bass).build());
  for (const char* box : {"TStatus", "TTranspose", "TPlay", "TMute", "TPan", "TVolume", "TPName",
                          "TKeyboardZones", "TVelocityZones"})
    v->setColumnBox(box, true);
  v->setPrefixes(true);
  v->pressShow();

  Lines expected{
      "Song; S.Name; Track; Channel; Status; T.Name; Prog; P.Name; Play/Mute; Pan; Volume; Transpose; "
      "Keyboard Zones; Velocity Zones; ",
      "Song S000; Verse; MT01; ch:16; INT; Piano; GM001; Acoustic Piano; Play; C064; Vol:127; Tran:+00; "
      "KZone:C-1..G9; VZone:1..127; ",
      "; ; MT02; Gch:16; 3; Bass; I-A005; PCG not linked; Mute; RND; Vol:100; Tran:-12; KZone:C2..C4; "
      "VZone:10..100; "};
  for (int k = 3; k <= 16; ++k)
    expected.push_back("; ; MT" + ZeroPad(k, 2) +
                       "; ch:01; OFF; ; I-A000; PCG not linked; Play; RND; Vol:000; Tran:+00; "
                       "KZone:C-1..C-1; VZone:0..0; ");
  EXPECT_EQ(Table(*v), expected);
  EXPECT_EQ(v->state().msg, "Songs :1; Lines:16; All Progs: 3; Selected: 0");
  EXPECT_EQ(v->state().info, "Processing...S000");
  EXPECT_EQ(v->filters().boxExist(), (Lines{"GM001=Acoustic Piano", "I-A000=", "I-A005="}));
  EXPECT_EQ(v->state().sngByProg, (Lines{"GM001=S000", "I-A005=S000", "I-A000=S000"}));
  const ColumnGroups songGroups{true, true, true, false, false};
  EXPECT_EQ(v->state().columnGroups, songGroups);

  v->setPrefixes(false);
  v->pressShow();
  EXPECT_EQ(Table(*v)[2], "; ; MT02; 16; 3; Bass; I-A005; PCG not linked; Mute; RND; 100; -12; C2..C4; 10..100; ");
}

TEST_F(SongDisplayTest, LinkedNamesOnAnOasys) {
  const int pcg = f.load("A.PCG", test::PcgBuilder(test::kOasys).programBank(0, 6).build());
  f.registry().setLinkedPcgIndex(pcg);
  auto v = songs(SngBuilder(test::kOasys)
                     .song("Oasys Song", 12)
                     .track(Track("Lead", kBankIA, 5))
                     .track(Track("Pad", kBankUA, 3))
                     .track(Track("Kit", kBankDrums, 11))
                     .build());
  v->setColumnBox("TPName", true);
  v->pressShow();
  Lines expected{"Song; S.Name; Track; Channel; T.Name; Prog; P.Name; ",
                 "Song S012; Oasys Song; MT01; 01; Lead; I-A005; Prog I-A 005; ",
                 "; ; MT02; 01; Pad; U-A003; not found in PCG; ",
                 "; ; MT03; 01; Kit; g(d)012; ROOM Kit; "};
  for (int k = 4; k <= 16; ++k) expected.push_back("; ; MT" + ZeroPad(k, 2) + "; 01; ; I-A000; Prog I-A 000; ");
  EXPECT_EQ(Table(*v), expected);
  EXPECT_EQ(v->filters().boxExist(), (Lines{"I-A000=", "I-A005=", "U-A003=", "g(d)012=ROOM Kit"}));
}

TEST_F(SongDisplayTest, LabelsComeFromTheSongNumberAndProgramsListTheirSongsOnce) {
  auto v = songs(SngBuilder()
                     .song("One", 7)
                     .track(Track("Lead", kBankIA, 1))
                     .track(Track("Kit", kBankDrums, 25))
                     .song("Two", 7)
                     .track(Track("Lead", kBankIA, 1))
                     .song("Three", 2)
                     .track(Track("Lead", kBankIA, 1))
                     .build());
  v->filters().selectEntry("I-A001=");
  v->filters().selectEntry("g(d)026=");
  v->filters().enableProgramSelection();
  v->pressShow();
  v->pressShow();  // a second listing adds no song twice
  EXPECT_EQ(Table(*v), (Lines{"Song; S.Name; Track; Channel; T.Name; Prog; ",
                              "Song S007; One; MT01; 01; Lead; I-A001; ", "; ; MT02; 01; Kit; g(d)026; ",
                              "; ; MT01; 01; Lead; I-A001; ", "Song S002; Three; MT01; 01; Lead; I-A001; "}));
  EXPECT_EQ(v->state().sngByProg, (Lines{"I-A001=S007 - S002", "g(d)026=S007"}));
  EXPECT_EQ(v->state().msg, "Songs :3; Lines:4; All Progs: 3; Selected: 2");

  v->setByObject(false);
  v->setColumnBox("TPName", true);
  v->pressShow();
  EXPECT_EQ(Table(*v), (Lines{"Prog; P.Name; Song; ", "I-A001; PCG not linked; S007---S002; ",
                              "g(d)026; ANALOG Kit; S007; "}));
  EXPECT_EQ(v->state().msg, "Songs :3; Lines:2; All Progs: 3; Selected: 2");
  EXPECT_EQ(v->state().info, "Processing...g(d)026");
}

TEST_F(SongDisplayTest, ByProgramBeforeAnyListingBySongIsEmpty) {
  auto v = songs(SngBuilder().song("One", 1).track(Track("Lead", kBankIA, 1)).build());
  v->setByObject(false);
  v->pressShow();
  EXPECT_EQ(Table(*v), (Lines{"Prog; Song; "}));
  EXPECT_EQ(v->state().msg, "Songs :1; Lines:0; All Progs: 2; Selected: 0");
}

TEST_F(SongDisplayTest, PlayMuteFilterKeepsTheTickedStates) {
  TrackPlan muted = Track("Muted", kBankIA, 1);
  muted.state = 0x20;
  auto v = songs(SngBuilder().song("One", 1).track(Track("Playing", kBankIA, 0)).track(muted).build());
  v->setColumnBox("TMute", true);
  v->pressShow();
  EXPECT_EQ(Table(*v), (Lines{"Song; S.Name; Track; Channel; T.Name; Prog; Play/Mute; ",
                              "Song S001; One; MT02; 01; Muted; I-A001; Mute; "}));
  v->setColumnBox("TPlay", true);
  v->pressShow();
  EXPECT_EQ(v->state().table.rows.size(), 16u);
}

TEST_F(SongDisplayTest, DamagedSongsReadNothingOutsideTheImage) {
  // No parameter records: every track lies past the end.
  Bytes sng = SngBuilder().song("Intro", 1).build();
  const std::int64_t song = SongChunkOffsets(sng, SngPosition(sng)).front();
  test::PutBigEndian32(sng, song + 16, 0x7FFFFFF0);  // the name far past the end
  auto v = songs(sng);
  v->setColumnBox("TPName", true);
  v->pressShow();
  const Lines shown = Table(*v);
  ASSERT_EQ(shown.size(), 17u);
  EXPECT_EQ(shown[1], "Song S001; ; MT01; ; ; missing ProgCode; ; ");
  EXPECT_EQ(v->state().sngByProg, (Lines{"missing ProgCode=S001"}));
  EXPECT_EQ(v->state().msg, "Songs :1; Lines:16; All Progs: 0; Selected: 0");

  // A song line past the end of the file: nothing to read at all.
  auto beyond = f.viewer(file, {test::ViewerFixture::Object("Song", static_cast<std::int64_t>(sng.size()) + 100)}, "Song");
  beyond->pressShow();
  EXPECT_EQ(Table(*beyond)[1], "Song S???; ; MT01; ; ; missing ProgCode; ");
}

TEST_F(SongDisplayTest, CancelStopsTheShow) {
  auto v = songs(SngBuilder().song("One", 1).song("Two", 2).build());
  f.reporter.onPump = [&] { v->cancel(); };
  v->pressShow();
  EXPECT_TRUE(v->state().table.rows.empty());
  EXPECT_EQ(v->state().msg, "Patch=Song; PatchCode=S");
  EXPECT_TRUE(v->state().showEnabled);
}

}  // namespace
}  // namespace patchlore
