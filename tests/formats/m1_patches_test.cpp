#include "formats/m1_patches.hpp"

#include <gtest/gtest.h>

#include "support/sysex_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::M1Names;
using test::M1PatchDump;
using test::M1Records;

// Record k of the data the builder packed, as the dump must give it back.
std::string Record(const std::vector<std::string>& names, std::size_t size, std::size_t k) {
  return M1Records(names, size).substr(k * size, size);
}

TEST(UnpackM1Dump, AllDumpsHoldAHundredRecordsOfTheirSize) {
  const auto programs = UnpackM1Dump(M1PatchDump(0x4C, M1Names("Prog")));
  ASSERT_TRUE(programs);
  EXPECT_EQ(programs->kind, M1PatchKind::Program);
  EXPECT_EQ(programs->data.size(), 14300u);
  EXPECT_EQ(programs->count(), 100u);
  EXPECT_EQ(programs->record(0), Record(M1Names("Prog"), 143, 0));
  EXPECT_EQ(programs->record(99), Record(M1Names("Prog"), 143, 99));
  EXPECT_EQ(programs->name(37), "Prog 37");
  EXPECT_EQ(programs->record(100), "");

  const auto combinations = UnpackM1Dump(M1PatchDump(0x4D, M1Names("Combi")));
  ASSERT_TRUE(combinations);
  EXPECT_EQ(combinations->kind, M1PatchKind::Combination);
  EXPECT_EQ(combinations->data.size(), 12400u);
  EXPECT_EQ(combinations->record(99), Record(M1Names("Combi"), 124, 99));
  EXPECT_EQ(combinations->name(5), "Combi 05");
}

TEST(UnpackM1Dump, SingleDumpsHoldOneRecord) {
  const auto program = UnpackM1Dump(M1PatchDump(0x40, {"Grandbient"}));
  ASSERT_TRUE(program);
  EXPECT_EQ(program->kind, M1PatchKind::Program);
  EXPECT_EQ(program->count(), 1u);
  EXPECT_EQ(program->record(0), Record({"Grandbient"}, 143, 0));

  const auto combination = UnpackM1Dump(M1PatchDump(0x49, {"Split"}));
  ASSERT_TRUE(combination);
  EXPECT_EQ(combination->kind, M1PatchKind::Combination);
  EXPECT_EQ(combination->count(), 1u);
  EXPECT_EQ(combination->record(0), Record({"Split"}, 124, 0));
  EXPECT_EQ(combination->name(0), "Split");
}

TEST(UnpackM1Dump, OtherMessagesHoldNoRecords) {
  const Bytes dump = M1PatchDump(0x4C, M1Names("Prog"));
  Bytes foreignModel = dump;
  foreignModel[3] = 0x1A;
  Bytes otherMaker = dump;
  otherMaker[1] = 0x41;
  Bytes badChannel = dump;
  badChannel[2] = 0x40;
  Bytes otherFunction = dump;
  otherFunction[4] = 0x48;
  EXPECT_FALSE(UnpackM1Dump(foreignModel));
  EXPECT_FALSE(UnpackM1Dump(otherMaker));
  EXPECT_FALSE(UnpackM1Dump(badChannel));
  EXPECT_FALSE(UnpackM1Dump(otherFunction));
  EXPECT_FALSE(UnpackM1Dump(test::M1Dump(0x4C, {0x00}, 16349)));
  EXPECT_FALSE(UnpackM1Dump(test::M1Dump(0x4D, {0x00}, 16350)));
  EXPECT_FALSE(UnpackM1Dump(test::M1Message(0x40)));
  EXPECT_FALSE(UnpackM1Dump(Bytes{}));
}

}  // namespace
}  // namespace patchlore
