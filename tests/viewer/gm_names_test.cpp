#include "viewer/gm_names.hpp"

#include <gtest/gtest.h>

#include <set>

namespace patchlore {
namespace {

TEST(GmNamesTable, HoldsTheGmProgramsAndTheListedVariationsEachOnce) {
  std::set<std::string_view> keys;
  int gm = 0;
  for (const GmNameEntry& entry : GM_Names_Table) {
    keys.insert(entry.key);
    if (entry.key.substr(0, 2) == "GM") ++gm;
    const std::optional<std::string> name = GmName(entry.key);
    ASSERT_TRUE(name) << entry.key;
    EXPECT_FALSE(name->empty()) << entry.key;
    EXPECT_LE(name->size(), 16u) << entry.key;
  }
  EXPECT_EQ(keys.size(), 264u);
  EXPECT_EQ(gm, 128);
  for (const char* key : {"g(d)001", "g(9)126", "g(5)123", "g(4)082", "g(1)128", "g(3)128"})
    EXPECT_EQ(keys.count(key), 1u) << key;
  for (const char* key : {"g(3)001", "g(6)123", "g(1)009", "g(d)002", "GM000", "GM129", "g(1)120"})
    EXPECT_EQ(keys.count(key), 0u) << key;
}

TEST(GmNamesTable, LookupTrimsTheStoredBlanksAndTabs) {
  EXPECT_EQ(GmName("GM001"), "Acoustic Piano");
  EXPECT_EQ(GmName("g(1)121"), "Gtr.CuttingNoise");
  EXPECT_EQ(GmName("g(d)049"), "ORCHESTRA Kit");
  EXPECT_EQ(GmName("g(3)001"), std::nullopt);
  EXPECT_EQ(GmName("gm001"), std::nullopt);
}

TEST(GmProgramName, KeysOfTheTableGiveTheirNames) {
  EXPECT_EQ(GmProgramName(6, 1), "Acoustic Piano");
  EXPECT_EQ(GmProgramName(7, 1), "Acoustic Piano w");
  EXPECT_EQ(GmProgramName(8, 1), "Acoustic Piano d");
  EXPECT_EQ(GmProgramName(9, 5), "60's E.Piano");
  EXPECT_EQ(GmProgramName(10, 6), "E.Piano Phase");
  EXPECT_EQ(GmProgramName(6, 17), "Drawbar Organ 1");
  EXPECT_EQ(GmProgramName(15, 126), "Burst Noise");
  EXPECT_EQ(GmProgramName(6, 128), "Gun Shot");
  EXPECT_EQ(GmProgramName(9, 128), "Explosion");
}

TEST(GmProgramName, VariationsWithoutAnEntryTakeTheNearestLowerBankThenGm) {
  EXPECT_EQ(GmProgramName(9, 1), "Acoustic Piano d");
  EXPECT_EQ(GmProgramName(11, 1), "Acoustic Piano d");
  EXPECT_EQ(GmProgramName(8, 10), "Glockenspiel");
  EXPECT_EQ(GmProgramName(15, 125), "Wind Chime");
  EXPECT_EQ(GmProgramName(15, 121), "Gtr.CuttingNoise");
  EXPECT_EQ(GmProgramName(7, 129), "GM129");
  EXPECT_EQ(GmProgramName(15, 200), "GM200");
  EXPECT_EQ(GmProgramName(6, 129), "");
  EXPECT_EQ(GmProgramName(6, 0), "");
}

TEST(GmProgramName, DrumProgramsTakeTheKitAtOrBelowThem) {
  EXPECT_EQ(GmProgramName(16, 1), "STANDARD Kit");
  EXPECT_EQ(GmProgramName(16, 8), "STANDARD Kit");
  EXPECT_EQ(GmProgramName(16, 12), "ROOM Kit");
  EXPECT_EQ(GmProgramName(16, 26), "ANALOG Kit");
  EXPECT_EQ(GmProgramName(16, 57), "SFX Kit");
  EXPECT_EQ(GmProgramName(16, 128), "SFX Kit");
  EXPECT_EQ(GmProgramName(16, 2147483647), "SFX Kit");  // answers at once, no count down from there
  EXPECT_EQ(GmProgramName(16, 0), "not found in GM_Names_Table");
}

TEST(GmProgramName, OtherBankNumbersAreNotFound) {
  for (const int m : {0, 5, 17, 0x1E, 255, -1})
    EXPECT_EQ(GmProgramName(m, 1), "not found in GM_Names_Table") << m;
}

}  // namespace
}  // namespace patchlore
