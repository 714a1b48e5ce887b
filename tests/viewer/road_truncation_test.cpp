// The road a musician walks (catalogue, select every row, one viewer per
// kind, Show) on a PCG cut at many lengths and with hostile bank headers:
// nothing may read outside the image (the sanitizer build checks) and every
// step still ends with its texts.
#include <gtest/gtest.h>

#include "viewer_fixture.hpp"

namespace patchlore {
namespace {

using test::Bytes;

// Walks the whole road on file index; returns the number of table rows shown.
std::size_t WalkTheRoad(test::ViewerFixture& f, int index) {
  const Catalogue catalogue = f.main.window.buildCatalogue(index, 0);
  std::vector<int> all(catalogue.list.rows.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
  std::size_t rows = 0;
  for (const auto& request : ViewerRequestsFor(catalogue, all)) {
    ViewerCore viewer(f.registry(), f.shared, f.reporter, [] { return std::string("12:00:00"); });
    viewer.Open(request);
    for (const char* box : {"PVoiceMode", "PKeyZone", "PMsWsDk"}) viewer.setColumnBox(box, true);
    viewer.setShowOffsets(true);
    viewer.pressShow();
    const ViewerState& state = viewer.state();
    EXPECT_TRUE(viewer.canClose());
    if (state.caption.rfind("Prog ", 0) == 0 || state.caption.rfind("Combi ", 0) == 0) {
      // The count in Msg is the count of rows the table holds, however
      // short the records were.
      const auto lines = state.msg.find("; Lines:");
      if (lines != std::string::npos)
        EXPECT_EQ(state.msg.substr(lines), "; Lines:" + std::to_string(state.table.rows.size()) +
                                               "; Time: 12:00:00 - 12:00:00");
      else
        EXPECT_TRUE(state.table.rows.empty()) << state.msg;
    } else {
      // Msg ends with the count of rows, or the kind listed nothing.
      const auto lines = state.msg.rfind("Lines:");
      if (lines != std::string::npos)
        EXPECT_EQ(state.msg.substr(lines), "Lines:" + std::to_string(state.table.rows.size()));
      else
        EXPECT_TRUE(state.table.rows.empty()) << state.caption;
    }
    rows += state.table.rows.size();
  }
  return rows;
}

Bytes RoadPcg(std::uint8_t model) {
  return test::PcgBuilder(model)
      .programBank(0, 3, test::kProgramSize)
      .programBank(0x20000, 2, test::kProgramSize, "MBK1")
      .combiBank(0, 2, 400)
      .drumKitBank(0x20003, 2, 100)
      .waveSequenceBank(0, 1, 100)
      .setLists(1, 40)
      .withIni()
      .build();
}

TEST(RoadOnDamagedFiles, EveryKindOfRowOnAWholeFile) {
  for (const std::uint8_t model : {test::kKronos, test::kOasys}) {
    test::ViewerFixture f;
    const int index = f.load("ROAD.PCG", RoadPcg(model));
    EXPECT_GT(WalkTheRoad(f, index), 5u);
  }
}

TEST(RoadOnDamagedFiles, TruncatedAtManyLengths) {
  const Bytes whole = RoadPcg(test::kKronos);
  test::ViewerFixture f;
  for (std::size_t n = 0; n < whole.size(); n += 997) {
    // The catalogue refuses a file whose "PCG1" size is wrong, so mend that
    // field: the damage left is in the chunks that the cut leaves short.
    Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    if (cut.size() >= 24) test::PutBigEndian32(cut, 20, static_cast<std::uint32_t>(cut.size() - 28));
    const int index = f.add("CUT.PCG", cut, "PCG KORG KRONOS");
    WalkTheRoad(f, index);
  }
}

TEST(RoadOnDamagedFiles, HostileBankHeaders) {
  const Bytes whole = RoadPcg(test::kOasys);
  test::ViewerFixture f;
  const int clean = f.load("CLEAN.PCG", whole);
  const auto banks = f.programBanks(clean);
  ASSERT_FALSE(banks.empty());
  for (const std::int64_t field : {12, 16, 8}) {
    for (const std::uint32_t value : {0xFFFFFFFFu, 0x000000FFu, 0x0000FFFFu, 0x80000000u}) {
      Bytes image = whole;
      test::PutBigEndian32(image, banks[0] + field, value);  // patch count, patch size, checksum word
      const int index = f.add("HOSTILE.PCG", image, "PCG KORG OASYS");
      WalkTheRoad(f, index);
    }
  }
}

}  // namespace
}  // namespace patchlore
