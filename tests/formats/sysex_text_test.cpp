#include "formats/sysex_text.hpp"

#include <gtest/gtest.h>

#include "support/sysex_builder.hpp"
#include "formats/unpack_7bit.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::M1Dump;
using test::M1Message;
using test::Pack7Bit;

std::string Text(const Bytes& message) { return SysexText(message); }

TEST(SysexText, FramingAndManufacturerErrors) {
  EXPECT_EQ(Text({}), "SysEx(0 bytes) Empty string *error");
  EXPECT_EQ(Text({0x42, 0xF7}), "First byte=42 not F0 *error");
  EXPECT_EQ(Text({0xF0, 0x42, 0x30}), "Last byte[3]=30 but F7 missing *error");
  EXPECT_EQ(Text({0xF0}), "Last byte[1]=F0 but F7 missing *error");
  EXPECT_EQ(Text({0xF0, 0xF7}), " Only F0F7 *error");
  EXPECT_EQ(Text({0xF0, 0x43, 0x10, 0xF7}), " Unknown byte[2]=43");
  EXPECT_EQ(Text({0xF0, 0x19, 0x30, 0x19, 0x21, 0xF7}), " Unknown byte[2]=19");
}

TEST(SysexText, ModelAndChannelByte) {
  EXPECT_EQ(Text({0xF0, 0x42, 0xF7}), "Korg(last byte[3]=F7 Model_ID(byte[4]) missing *error");
  EXPECT_EQ(Text({0xF0, 0x42, 0x30, 0xF7}), "Korg byte[4]=F7 Unknown Model_ID *error");
  EXPECT_EQ(Text({0xF0, 0x42, 0x30, 0x1A, 0x41, 0xF7}), "Korg byte[4]=1A Unknown Model_ID *error");
  EXPECT_EQ(Text({0xF0, 0x42, 0x20, 0x19, 0x41, 0xF7}), "KorgM1 (byte[3]=20 must be 3g (g:Global channel)) *error");
  EXPECT_EQ(Text({0xF0, 0x42, 0x40, 0x19, 0x41, 0xF7}), "KorgM1 (byte[3]=40 must be 3g (g:Global channel)) *error");
  EXPECT_EQ(Text({0xF0, 0x42, 0x3F, 0x19, 0x41, 0xF7}), "KorgM1 Parameter change");
}

TEST(SysexText, FunctionCodes) {
  EXPECT_EQ(Text(M1Message(0x21)), "KorgM1 Write completed");
  EXPECT_EQ(Text({0xF0, 0x42, 0x30, 0x19, 0xF7}), "KorgM1 Unknown Function Code in Sysex=F7(Hex)");
  for (int code : {0x00, 0x20, 0x25, 0x27, 0x30, 0x3F, 0x43, 0x44, 0x46, 0x4A, 0x4B, 0x4F, 0x52, 0x7F}) {
    const std::string hex = HexText(std::string(1, static_cast<char>(code)));
    EXPECT_EQ(Text(M1Message(static_cast<std::uint8_t>(code))), "KorgM1 Unknown Function Code in Sysex=" + hex + "(Hex)");
  }
}

TEST(SysexText, AllDumpsDescribeTheirMemoryBank) {
  EXPECT_EQ(Text(M1Dump(0x4C, {0x01}, 16350)), "KorgM1 All Program Parameter dump Offset=6  MemoBank=01 (50) ");
  EXPECT_EQ(Text(M1Dump(0x4D, {0x02}, 14179)), "KorgM1 All Combination Parameter dump MemoBank=02 (100) ");
  EXPECT_EQ(Text(M1Dump(0x4D, {0x03}, 14179)), "KorgM1 All Combination Parameter dump MemoBank=03 (50) ");
  // Real All dumps carry bank 0.
  EXPECT_EQ(Text(M1Dump(0x4C, {0x00}, 16350)), "KorgM1 All Program Parameter dump Offset=6  MemoBank=00 (100) ");
  EXPECT_EQ(Text(M1Dump(0x4C, {0x04}, 16350)),
            "KorgM1 All Program Parameter dump Offset=6  MemoBank=04 must be only 01,02,03 *error");
  EXPECT_EQ(Text(M1Message(0x4C)), "KorgM1 All Program Parameter dump Offset=6 (last byte[6]=F7 MemoBank missing) *error"
                                   " sysex_length must be 16350*error");
  EXPECT_EQ(Text(M1Dump(0x4D, {0x01}, 14180)),
            "KorgM1 All Combination Parameter dump MemoBank=01 (50)  sysex_length must be 14179*error");
}

TEST(SysexText, ProgramAndCombinationDumpsShowTheirName) {
  EXPECT_EQ(Text(M1Dump(0x40, Pack7Bit("Grand Piano and more"), 170)),
            "KorgM1 Program Parameter dump Offset=5  [Grand Pian]");
  EXPECT_EQ(Text(M1Dump(0x49, Pack7Bit("Split Bass"), 148)), "KorgM1 Combination Parameter dump Offset=5  [Split Bass]");
  EXPECT_EQ(Text(M1Message(0x40)), "KorgM1 Program Parameter dump Offset=5  sysex_length must be 170*error");
  EXPECT_EQ(Text(M1Message(0x49, Pack7Bit("Organ 1234"))),
            "KorgM1 Combination Parameter dump Offset=5  [Organ 1234] sysex_length must be 148*error");
}

TEST(SysexText, NameNeedsMoreThanTenUnpackedBytes) {
  // With the closing F7 as the last data byte: 10 and 11 unpacked bytes.
  const Bytes ten = M1Message(0x40, {0x00, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 0x00, 'H', 'I'});
  const Bytes eleven = M1Message(0x40, {0x00, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 0x00, 'H', 'I', 'J'});
  EXPECT_EQ(Text(ten), "KorgM1 Program Parameter dump Offset=5  sysex_length must be 170*error");
  EXPECT_EQ(Text(eleven), "KorgM1 Program Parameter dump Offset=5  [ABCDEFGHIJ] sysex_length must be 170*error");
  // A flagged byte that already has bit 7 set stays that byte.
  const Bytes flagged = M1Message(0x40, {0x04, 'A', 'B', 0xE9, 'D', 'E', 'F', 'G', 0x00, 'H', 'I', 'J'});
  EXPECT_EQ(Text(flagged), "KorgM1 Program Parameter dump Offset=5  [AB\xE9" "DEFGHIJ] sysex_length must be 170*error");
}

TEST(Unpack7Bit, GroupsOfEightAndTheirTopBits) {
  const Bytes packed = {0x05, 'a', 'b', 'A', 'd', 'e', 'f', 'g', 0x04, 'H', 'I', 0xF7};
  EXPECT_EQ(Unpack7Bit(packed), "\xE1" "b\xC1" "defgHI\xF7");
  EXPECT_EQ(Unpack7Bit(packed, 4), "\xE1" "b\xC1" "d");
  EXPECT_EQ(Unpack7Bit(Bytes{0x7F}), "");
  EXPECT_EQ(Unpack7Bit(Bytes{0x00, 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00}), "bcdefgh");
}

}  // namespace
}  // namespace patchlore
