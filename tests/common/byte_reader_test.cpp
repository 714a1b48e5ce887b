#include "common/byte_reader.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

TEST(ByteReader, NumbersInTheirByteOrderWholeOrNotAtAll) {
  const std::uint8_t bytes[] = {0x01, 0x2C, 0xFF, 0xF4};
  const Image image(bytes);
  EXPECT_EQ(ReadU8(image, 3), 0xF4);
  EXPECT_EQ(ReadS8(image, 3), -12);
  EXPECT_EQ(ReadU16BE(image, 0), 0x012C);
  EXPECT_EQ(ReadU16LE(image, 0), 0x2C01);
  EXPECT_EQ(ReadU32BE(image, 0), 0x012CFFF4u);
  EXPECT_EQ(ReadS32BE(image, 0), 0x012CFFF4);
  // A field that reaches past either end has no value.
  EXPECT_EQ(ReadU8(image, 4), std::nullopt);
  EXPECT_EQ(ReadU8(image, -1), std::nullopt);
  EXPECT_EQ(ReadU16BE(image, 3), std::nullopt);
  EXPECT_EQ(ReadU16LE(image, -1), std::nullopt);
  EXPECT_EQ(ReadU32BE(image, 1), std::nullopt);
  EXPECT_EQ(ReadS32BE(image, INT64_MAX - 1), std::nullopt);
}

TEST(ByteReader, ClippedReadersTakeWhatIsLeft) {
  const std::uint8_t bytes[] = {0x00, 0x00, 0x01, 0x2C, 0x01};
  const Image image(bytes);
  EXPECT_EQ(ReadClippedS32BE(image, 0), 300);
  EXPECT_EQ(ReadClippedS32BE(image, 3), 0x2C01);
  EXPECT_EQ(ReadClippedS32BE(image, 5), 0);
  EXPECT_EQ(ReadClippedBytes(image, 3, 4), std::string_view("\x2C\x01", 2));
  EXPECT_EQ(ReadClippedBytes(image, -2, 3), std::string_view("\x00", 1));
  EXPECT_TRUE(ReadClippedBytes(image, 5, 1).empty());
}

}  // namespace
}  // namespace patchlore
