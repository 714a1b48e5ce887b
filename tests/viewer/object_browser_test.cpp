#include "viewer/object_browser.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

Catalogue CatalogueOf(const std::vector<std::string>& captions) {
  Catalogue c;
  c.caption = "0:PCG KORG KRONOS (bytes:100) \\A.PCG";
  for (std::size_t i = 0; i < captions.size(); ++i) {
    c.list.rows.push_back({captions[i], {}});
    c.offsetBox.push_back(captions[i] + "=" + std::to_string(i));
    c.objectOffsets.push_back(static_cast<std::int64_t>(0x100 * i));
  }
  return c;
}

TEST(PatchCodeOf, SetListAndSysexHaveTheirOwnLettersOtherWordsTheirFirst) {
  EXPECT_EQ(PatchCodeOf("SetList"), 'T');
  EXPECT_EQ(PatchCodeOf("SETLIST"), 'T');
  EXPECT_EQ(PatchCodeOf("Sysex"), 'E');
  EXPECT_EQ(PatchCodeOf("sysEx"), 'E');
  EXPECT_EQ(PatchCodeOf("Song"), 'S');
  EXPECT_EQ(PatchCodeOf("wave"), 'W');
  EXPECT_EQ(PatchCodeOf("Global"), 'G');
  EXPECT_EQ(PatchCodeOf("3"), '3');
  EXPECT_EQ(PatchCodeOf(""), '?');
}

TEST(ViewerRequestsFor, OneViewerPerKindWithTheLinesOfItsRowsInBrowserOrder) {
  const Catalogue c = CatalogueOf({"Prog Bank", "Prog Bank", "Combi Bank", "Prog Bank"});
  const auto requests = ViewerRequestsFor(c, {3, 2, 0, 3});
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].patchCode, 'P');
  EXPECT_EQ(requests[0].caption, "Prog 0:PCG KORG KRONOS (bytes:100) \\A.PCG");
  EXPECT_EQ(requests[0].descriptorLines, (std::vector<std::string>{"Prog Bank=0", "Prog Bank=3"}));
  EXPECT_EQ(requests[0].objectOffsets, (std::vector<std::int64_t>{0, 0x300}));
  EXPECT_EQ(requests[1].patchCode, 'C');
  EXPECT_EQ(requests[1].caption, "Combi 0:PCG KORG KRONOS (bytes:100) \\A.PCG");
  EXPECT_EQ(requests[1].descriptorLines, (std::vector<std::string>{"Combi Bank=2"}));
}

TEST(ViewerRequestsFor, ViewersArePressedInTheOrderETPCSDW) {
  const Catalogue c = CatalogueOf({"Wave Sequence Bank", "Drum Kit Bank", "Song S000", "Combi Bank",
                                   "Prog Bank", "SetList Bank", "Sysex 1"});
  std::string order;
  for (const auto& request : ViewerRequestsFor(c, {0, 1, 2, 3, 4, 5, 6})) order += request.patchCode;
  EXPECT_EQ(order, "ETPCSDW");
}

TEST(ViewerRequestsFor, RowsOfOtherLettersAreIgnoredWithoutStoppingTheOthers) {
  const Catalogue c = CatalogueOf({"Global", "42 Bank", "", " Bank", "Prog [EXi] Bank", "Programs"});
  const auto requests = ViewerRequestsFor(c, {0, 1, 2, 3, 4, 5, 99, -1});
  ASSERT_EQ(requests.size(), 1u);
  // The first row of a kind names its viewer.
  EXPECT_EQ(requests[0].caption, "Prog 0:PCG KORG KRONOS (bytes:100) \\A.PCG");
  EXPECT_EQ(requests[0].descriptorLines,
            (std::vector<std::string>{"Prog [EXi] Bank=4", "Programs=5"}));
  EXPECT_TRUE(ViewerRequestsFor(c, {}).empty());
}

TEST(ViewerRequestsFor, SetListAndSysexRowsGoToTheirOwnViewers) {
  const Catalogue c = CatalogueOf({"Song S001", "SetList Bank", "sysex 2"});
  const auto requests = ViewerRequestsFor(c, {0, 1, 2});
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].caption.substr(0, 6), "sysex ");
  EXPECT_EQ(requests[1].caption.substr(0, 8), "SetList ");
  EXPECT_EQ(requests[2].patchCode, 'S');
}

}  // namespace
}  // namespace patchlore
