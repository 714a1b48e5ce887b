#include <gtest/gtest.h>

#include "viewer/filters.hpp"

namespace patchlore {
namespace {

constexpr FilterView kViews[] = {FilterView::Program, FilterView::Combination, FilterView::Song};

TEST(BankProgFilter, SelectionListAndCounts) {
  ViewFilters f;
  EXPECT_EQ(f.countExist(), "All Progs:");
  EXPECT_EQ(f.countSelect(), "for Show:");
  f.addExistOnce("I-A000=");
  f.addExistOnce("I-A001=");
  f.addExistOnce("I-A000=");
  EXPECT_EQ(f.boxExist(), (std::vector<std::string>{"I-A000=", "I-A001="}));
  EXPECT_EQ(f.countExist(), "All Progs: 2");

  f.selectExisting(1);
  f.selectExisting(1);  // the same entry twice is added once
  EXPECT_EQ(f.boxSelect(), (std::vector<std::string>{"I-A001="}));
  EXPECT_EQ(f.countSelect(), "Selected: 1");
  f.selectExisting(7);  // no such line: nothing added
  EXPECT_EQ(f.countSelect(), "Selected: 1");

  // Names are compared without regard to case and before the "=".
  f.addExistSorted("i-a001=Other Name");
  ASSERT_EQ(f.boxExist().back(), "i-a001=Other Name");
  f.selectExisting(2);
  EXPECT_EQ(f.boxSelect().size(), 1u);

  f.selectExisting(0);
  f.unselect(0);
  EXPECT_EQ(f.boxSelect(), (std::vector<std::string>{"I-A000="}));
  f.clearSelection();
  EXPECT_TRUE(f.boxSelect().empty());
  EXPECT_EQ(f.countSelect(), "Selected: 0");
}

TEST(BankProgFilter, DecisionsByViewAndSetting) {
  ViewFilters f;
  // An empty selection: "Dis" keeps everything in every view; "Ena" keeps
  // only combination timbres.
  for (const auto view : kViews) EXPECT_TRUE(f.keepKey(view, "I-A000"));
  f.enableProgramSelection();
  EXPECT_FALSE(f.keepKey(FilterView::Program, "I-A000"));
  EXPECT_TRUE(f.keepKey(FilterView::Combination, "I-A000"));
  EXPECT_FALSE(f.keepKey(FilterView::Song, "I-A000"));

  f.addExistOnce("U-B012=");
  f.selectExisting(0);
  for (const auto view : kViews) {
    EXPECT_TRUE(f.keepKey(view, "u-b012"));
    EXPECT_FALSE(f.keepKey(view, "U-B013"));
  }
  f.disableProgramSelection();
  for (const auto view : kViews) {
    EXPECT_FALSE(f.keepKey(view, "U-B012"));
    EXPECT_TRUE(f.keepKey(view, "U-B013"));
  }
}

TEST(ProgNameFilter, MemoLinesAndCounts) {
  ViewFilters f;
  f.setPatternText("pad\r\nstr\nbass\r\n");
  EXPECT_EQ(f.memoSubstr(), (std::vector<std::string>{"pad", "str", "bass"}));
  EXPECT_EQ(f.countSubstr(), "Substrings: 3");
  f.setPatternText("a\n\nb");
  EXPECT_EQ(f.memoSubstr(), (std::vector<std::string>{"a", "", "b"}));
  f.clearPatterns();
  EXPECT_EQ(f.countSubstr(), "Substrings: 0");
  EXPECT_EQ(f.chainStr(), "*");
  EXPECT_TRUE(f.enaName());
}

TEST(ProgNameFilter, NoPatternsKeepEveryRowUnderBothSettings) {
  ViewFilters f;
  for (const auto view : kViews) EXPECT_TRUE(f.keepName(view, "Anything"));
  f.disableNameFilter();
  for (const auto view : kViews) EXPECT_TRUE(f.keepName(view, "Anything"));
}

TEST(ProgNameFilter, ChainedPatternsByView) {
  // Parts in order, each after the previous one in the program view.
  EXPECT_TRUE(PatternLineMatches(FilterView::Program, "str*pad", "Strings Pad", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Program, "str*pad", "STR.PAD", "*"));
  EXPECT_FALSE(PatternLineMatches(FilterView::Program, "str*pad", "Pad Strings", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Combination, "str*pad", "Strings Pad", "*"));
  EXPECT_FALSE(PatternLineMatches(FilterView::Combination, "str*pad", "Pad Strings", "*"));
  // The song view does not cut at the chain text.
  EXPECT_FALSE(PatternLineMatches(FilterView::Song, "str*pad", "Strings Pad", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Song, "ngs p", "Strings Pad", "*"));

  // An empty line matches every program and nothing in the other views.
  EXPECT_TRUE(PatternLineMatches(FilterView::Program, "", "Organ", "*"));
  EXPECT_FALSE(PatternLineMatches(FilterView::Combination, "", "Organ", "*"));
  EXPECT_FALSE(PatternLineMatches(FilterView::Song, "", "Organ", "*"));
  // The chain text alone: two empty parts.
  EXPECT_TRUE(PatternLineMatches(FilterView::Program, "*", "Organ", "*"));

  // Program view parts do not overlap; combination view parts may.
  EXPECT_FALSE(PatternLineMatches(FilterView::Program, "aba*bab", "ababa", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Program, "ab*ab", "abab", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Combination, "aba*bab", "ababa", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Combination, "pad*", "Pad", "*"));
  EXPECT_FALSE(PatternLineMatches(FilterView::Combination, "x*pad", "Pad", "*"));
  EXPECT_TRUE(PatternLineMatches(FilterView::Combination, "*pad", "Pad", "*"));

  // Another chain text, or none.
  EXPECT_TRUE(PatternLineMatches(FilterView::Program, "str+pad", "Strings Pad", "+"));
  EXPECT_FALSE(PatternLineMatches(FilterView::Program, "str*pad", "Strings Pad", ""));
  EXPECT_TRUE(PatternLineMatches(FilterView::Combination, "gs p", "Strings Pad", ""));
}

TEST(ProgNameFilter, EnaKeepsMatchesAndDisHidesThem) {
  ViewFilters f;
  f.setMemoLines({"piano", "str*pad"});
  EXPECT_TRUE(f.keepName(FilterView::Program, "Grand Piano"));
  EXPECT_TRUE(f.keepName(FilterView::Program, "Strings Pad"));
  EXPECT_FALSE(f.keepName(FilterView::Program, "Pad Strings"));
  f.disableNameFilter();
  EXPECT_FALSE(f.keepName(FilterView::Program, "Grand Piano"));
  EXPECT_TRUE(f.keepName(FilterView::Program, "Pad Strings"));
  f.setChainStr("");
  EXPECT_TRUE(f.keepName(FilterView::Program, "Strings Pad"));
}

}  // namespace
}  // namespace patchlore
