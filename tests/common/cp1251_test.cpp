#include "common/cp1251.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

TEST(Cp1251, RoundTripsEveryByteThatHasACharacter) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;  // unassigned
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << b;
  }
  EXPECT_EQ(Cp1251ToUtf8("\xEA\xEE\xED\xF2\xF0\xEE\xEB\xFC"), "контроль");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\x88"), "Ёё€");
  EXPECT_EQ(Utf8ToCp1251("Grand Piano"), "Grand Piano");
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("\xC3"), "?");  // cut in the middle of a character
}

}  // namespace
}  // namespace patchlore
