#include "viewer/object_browser.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

// Row k of kind word kinds[k] is captioned kind + " Bank", its descriptor
// line is the caption "=" k, and its object lies at k * $100.
Catalogue CatalogueOf(const std::vector<std::string>& kinds) {
  Catalogue c;
  c.caption = "0:PCG KORG KRONOS (bytes:100) \\A.PCG";
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    c.list.rows.push_back({kinds[i] + " Bank", {}});
    c.offsetBox.push_back(kinds[i] + " Bank=" + std::to_string(i));
    c.objectOffsets.push_back(static_cast<std::int64_t>(0x100 * i));
    c.kindWords.push_back(kinds[i]);
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
  const Catalogue c = CatalogueOf({"Prog", "Prog", "Combi", "Prog"});
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
  const Catalogue c = CatalogueOf({"Wave", "Drum", "Song", "Combi", "Prog", "SetList", "Sysex"});
  std::string order;
  for (const auto& request : ViewerRequestsFor(c, {0, 1, 2, 3, 4, 5, 6})) order += request.patchCode;
  EXPECT_EQ(order, "ETPCSDW");
}

TEST(ViewerRequestsFor, RowsOfOtherLettersAreIgnoredWithoutStoppingTheOthers) {
  const Catalogue c = CatalogueOf({"Global", "42", "", "Prog", "Programs"});
  const auto requests = ViewerRequestsFor(c, {0, 1, 2, 3, 4, 99, -1});
  ASSERT_EQ(requests.size(), 1u);
  // The first row of a kind names its viewer.
  EXPECT_EQ(requests[0].caption, "Prog 0:PCG KORG KRONOS (bytes:100) \\A.PCG");
  EXPECT_EQ(requests[0].descriptorLines, (std::vector<std::string>{"Prog Bank=3", "Programs Bank=4"}));
  EXPECT_TRUE(ViewerRequestsFor(c, {}).empty());
}

TEST(ViewerRequestsFor, SetListAndSysexRowsGoToTheirOwnViewers) {
  const Catalogue c = CatalogueOf({"Song", "SetList", "sysex"});
  const auto requests = ViewerRequestsFor(c, {0, 1, 2});
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].caption.substr(0, 6), "sysex ");
  EXPECT_EQ(requests[1].caption.substr(0, 8), "SetList ");
  EXPECT_EQ(requests[2].patchCode, 'S');
}

}  // namespace
}  // namespace patchlore
