// The checks of verify on images changed after they were built.
#include <gtest/gtest.h>

#include "formats/checksums.hpp"
#include "formats/ini2_layout.hpp"
#include "formats/verify.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore {
namespace {

std::vector<std::string> Lines(const test::Bytes& bytes) {
  const auto checks = VerifyChecksums(bytes);
  if (!checks) return {checks.failure().text};
  std::vector<std::string> lines;
  for (const auto& check : *checks) lines.push_back(VerifyLine(check));
  return lines;
}

TEST(Verify, AnIni2CopyThatDisagreesIsAMismatchAMissingRecordIsNot) {
  test::Bytes bytes = test::PcgBuilder().programBank(0, 2).combiBank(0x20001, 1).withIni().build();
  const auto copy = FindIni2Record(bytes, std::string("PBK1\0\0\0\0", 8));
  const auto record = FindIni2Record(bytes, std::string("CBK1\0\2\0\1", 8));
  ASSERT_TRUE(copy && record);
  ++bytes[static_cast<std::size_t>(*copy + ini2_layout::kChecksumCopy)];
  bytes[static_cast<std::size_t>(*record)] = 'X';
  EXPECT_EQ(Lines(bytes), (std::vector<std::string>{
                             "PBK1 I-A at 00000074: stored 03, sum 03, INI2 04: MISMATCH",
                             "CBK1 U-B at 00002758: stored E2, sum E2, INI2 record missing: OK",
                             "GLB1 Global at 0000460A: stored 40, sum 40: OK"}));
}

// A cut file would otherwise give the checks of what is left, all OK.
TEST(Verify, APcgCutShortIsRefusedWithItsLengthError) {
  const test::Bytes whole = test::PcgBuilder().programBank(0, 2).build();
  const test::Bytes head(whole.begin(), whole.begin() + 100);
  EXPECT_EQ(Lines(head), (std::vector<std::string>{"ERROR: PCG uncorrect length. *** Offset=00000014 " +
                                                   HexText(BytesText(head, 20, 4)) + " *** Must be 00000064"}));
}

}  // namespace
}  // namespace patchlore
