#include "viewer/text_helpers.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

TEST(NoteName, OctavesStartAtCMinusOne) {
  EXPECT_EQ(NoteName(0), "C-1");
  EXPECT_EQ(NoteName(1), "C#-1");
  EXPECT_EQ(NoteName(11), "B-1");
  EXPECT_EQ(NoteName(60), "C4");
  EXPECT_EQ(NoteName(61), "C#4");
  EXPECT_EQ(NoteName(127), "G9");
  EXPECT_EQ(NoteName(128), "G#9");
  EXPECT_EQ(NoteName(255), "D#20");
}

TEST(SignedZeroPad, SignThenPaddedAbsoluteValue) {
  EXPECT_EQ(SignedZeroPad(5, 2), "+05");
  EXPECT_EQ(SignedZeroPad(-12, 2), "-12");
  EXPECT_EQ(SignedZeroPad(0, 2), "+00");
  EXPECT_EQ(SignedZeroPad(-3, 1), "-3");
  EXPECT_EQ(SignedZeroPad(1234, 2), "+1234");
}

TEST(ReplaceFirst, OnlyTheFirstOccurrenceIsReplaced) {
  EXPECT_EQ(ReplaceFirst("ab", "X", "abcab"), "Xcab");
  EXPECT_EQ(ReplaceFirst("zz", "X", "abcab"), "abcab");
  EXPECT_EQ(ReplaceFirst("ab", "", "abcab"), "cab");
  EXPECT_EQ(ReplaceFirst("", "X", "abc"), "abc");
  EXPECT_EQ(ReplaceFirst("abc", "X", "ab"), "ab");
}

TEST(CharTranslate, CharactersOfTheSetBecomeTheReplacementAtTheirPosition) {
  EXPECT_EQ(CharTranslate(";", " - ", "S000;S001"), "S000 S001");
  EXPECT_EQ(CharTranslate("abc", "xy", "aabbcc-"), "xxyyyy-");
  EXPECT_EQ(CharTranslate("abc", "", "abc"), "abc");
  // An empty set means the control characters 0 to 31.
  EXPECT_EQ(CharTranslate("", "_", std::string("A\x01\tB\x1F\x20", 6)), "A__B_ ");
  EXPECT_EQ(CharTranslate("", "ab", std::string("\x00\x01\x02", 3)), "abb");
  EXPECT_EQ(CharTranslate("", "", std::string("\x01", 1)), std::string("\x01", 1));
}

TEST(BankShortName, LongInternalAndUserNamesAreShortened) {
  EXPECT_EQ(BankShortName("Int-A"), "I-A");
  EXPECT_EQ(BankShortName("Usr-B"), "U-B");
  EXPECT_EQ(BankShortName("usr-GG"), "u-GG");
  EXPECT_EQ(BankShortName("I-A"), "I-A");
  EXPECT_EQ(BankShortName("Internal"), "Internal");
  EXPECT_EQ(BankShortName("Int"), "Int");
  EXPECT_EQ(BankShortName(""), "");
  EXPECT_EQ(UpperCase("SetList"), "SETLIST");
}

}  // namespace
}  // namespace patchlore
