#include "formats/checksums.hpp"

#include <gtest/gtest.h>

#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/ini2_layout.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

std::vector<std::int64_t> Banks(const Bytes& image, const char* parent, BankRunKind kind) {
  return BankRun(Image(image), FindChunk(parent, Image(image)), kind);
}

// The stored byte is the sum of the whole payload: for 128 programs of 4,960
// bytes that is the type code and patches minus 13, for 128 combinations of
// 7,810 bytes it is not (their count and size bytes add up to 45 more).
TEST(Checksums, CheckBytesSumsTheWholePayloadOfEveryBankShape) {
  const Bytes image = PcgBuilder().programBank(0x20000).combiBank(0).build();
  const auto program = Banks(image, "PRG1", BankRunKind::Programs).front();
  const auto combination = Banks(image, "CMB1", BankRunKind::Combinations).front();
  const std::int64_t programBody = 4 + 128 * 4960;
  EXPECT_EQ(CheckBytes(Image(image), program), image[program + bank_layout::kChecksum]);
  EXPECT_EQ(CheckBytes(Image(image), program),
            static_cast<std::uint8_t>(SumBytes(Image(image), program + bank_layout::kTypeCode, programBody) - 13));
  EXPECT_EQ(CheckBytes(Image(image), combination), image[combination + bank_layout::kChecksum]);
  const std::int64_t combinationBody = 4 + 128 * 7810;
  EXPECT_EQ(static_cast<std::uint8_t>(CheckBytes(Image(image), combination) -
                                      SumBytes(Image(image), combination + bank_layout::kTypeCode, combinationBody)),
            static_cast<std::uint8_t>(256 - 13 + 45));
}

TEST(Checksums, SumsAndTheTruncatingRemainder) {
  const Bytes bytes{1, 2, 250, 10};
  EXPECT_EQ(SumBytes(Image(bytes), -5, 7), 3);   // clipped at the start: 1 + 2
  EXPECT_EQ(SumBytes(Image(bytes), 2, 100), 4);  // clipped at the end: 260 mod 256
  EXPECT_EQ(SumBytes(Image(bytes), 1, 0), 0);
  EXPECT_EQ(AdjustCheckSum(5, "\x10", "\x02"), -9);  // stored as F7
  EXPECT_EQ(static_cast<std::uint8_t>(AdjustCheckSum(5, "\x10", "\x02")), 0xF7);
  EXPECT_EQ(AdjustCheckSum(255, "\x43", "\x44"), 0);
}

ChecksumStore Store(Bytes& image, std::int64_t bank, std::string_view key, std::uint8_t value,
                    std::optional<std::string_view> newId = std::nullopt) {
  BufferWriter writer{MutableImage(image)};
  return StoreCheckSum(writer, bank, key, value, newId);
}

TEST(Checksums, StoreWritesTheHeaderAndTheFirstIni2RecordOnly) {
  Bytes image = PcgBuilder().programBank(0, 1, 40).programBank(1, 1, 40).withIni().build();
  const auto bank = Banks(image, "PRG1", BankRunKind::Programs).front();
  const std::string key = BankKey(Image(image), bank);
  const auto record = FindIni2Record(Image(image), key);
  ASSERT_TRUE(record);
  const ChecksumStore store = Store(image, bank, key, 0xAB, "MBK1");
  EXPECT_TRUE(store.headerWritten);
  EXPECT_EQ(store.ini2, Ini2Store::Written);
  EXPECT_EQ(image[bank + bank_layout::kChecksum], 0xAB);
  EXPECT_EQ(image[*record + ini2_layout::kChecksumCopy], 0xAB);
  EXPECT_EQ(std::string(image.begin() + *record, image.begin() + *record + 4), "MBK1");
  EXPECT_EQ(Store(image, bank, "PBK1\x7F\x7F\x7F\x7F", 1).ini2, Ini2Store::NoRecord);

  Bytes noIni = PcgBuilder().programBank(0, 1, 40).build();
  EXPECT_EQ(Store(noIni, Banks(noIni, "PRG1", BankRunKind::Programs).front(), key, 1).ini2,
            Ini2Store::Missing);
  EXPECT_FALSE(Store(noIni, static_cast<std::int64_t>(noIni.size()), key, 1).headerWritten);
}

// A record whose copy would lie past the end of INI2 is not written.
TEST(Checksums, Ini2WritesStayInsideTheChunk) {
  Bytes image = PcgBuilder().programBank(0, 1, 40).withIni().build();
  const auto bank = Banks(image, "PRG1", BankRunKind::Programs).front();
  const std::int64_t ini = FindChunk("INI2", Image(image));
  const std::string key = BankKey(Image(image), bank);
  test::PutBigEndian32(image, ini + 4, 20);  // INI2 now ends just after the first key
  const Bytes before = image;
  const ChecksumStore store = Store(image, bank, key, 0x11);
  EXPECT_EQ(store.ini2, Ini2Store::OutsideChunk);
  EXPECT_EQ(image[bank + bank_layout::kChecksum], 0x11);
  image[bank + bank_layout::kChecksum] = before[bank + bank_layout::kChecksum];
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace patchlore
