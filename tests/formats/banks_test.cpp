#include "formats/banks.hpp"

#include <gtest/gtest.h>

#include "formats/chunks.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::ChunkNode;
using test::PutBigEndian32;

std::string Code(std::uint32_t code) {
  Bytes bytes;
  test::AppendBigEndian32(bytes, code);
  return std::string(bytes.begin(), bytes.end());
}

// A bank chunk with the given header fields and body bytes after the code.
ChunkNode Bank(const std::string& id, std::uint32_t count, std::uint32_t size, std::uint32_t code,
               std::size_t bodyBytes = 0) {
  ChunkNode bank{id, {0, 0, 0, 0x5A}, {}, {}};
  test::AppendBigEndian32(bank.data, count);
  test::AppendBigEndian32(bank.data, size);
  test::AppendBigEndian32(bank.data, code);
  bank.data.resize(bank.data.size() + bodyBytes, 0);
  return bank;
}

// 28 bytes of file and "PCG1" header, then the chunk at 28.
Bytes ImageWith(const ChunkNode& chunk) {
  Bytes image(28, 0);
  chunk.appendTo(image);
  return image;
}

TEST(BankName, ProgramBanksUseTheProgramTableAndOthersTheCombinationTable) {
  EXPECT_EQ(BankName("PBK1", Code(0x0002000D)), "U-GG");
  EXPECT_EQ(BankName("MBK1", Code(0x00008000)), "I-F");
  EXPECT_EQ(BankName("CBK1", Code(0x00000006)), "I-G");
  EXPECT_EQ(BankName("PBK1", Code(0x00000006)), "00000006");
  EXPECT_EQ(BankName("DBK1", Code(0x00020003)), "U-D");
  EXPECT_EQ(BankName("WBK1", Code(0x00000005)), "I-F");
  EXPECT_EQ(BankName("MBK1", Code(0x00000005)), "00000005");
}

TEST(BankName, CodesMissingFromTheTablesShowTheirEightDigits) {
  EXPECT_EQ(BankName("PBK1", Code(0x00030000)), "00030000");
  EXPECT_EQ(BankName("CBK1", Code(0x00030000)), "00030000");
  EXPECT_EQ(BankName("CBK1", Code(0x00020007)), "00020007");
  // The two-digit GM keys are reached only by a two-digit lookup.
  EXPECT_EQ(ProgBankName(Code(0x00000010)), "00000010");
  EXPECT_EQ(ProgBankName(std::string(1, '\x10')), "g(d)");  // a type code cut to one byte
  // A code cut short by the end of the image matches nothing.
  EXPECT_EQ(ProgBankName(std::string("\x00\x02", 2)), "0002");
}

TEST(BankEngine, NamesTheEngineOfProgramBanks) {
  EXPECT_EQ(BankEngine("PBK1"), "HD-1");
  EXPECT_EQ(BankEngine("MBK1"), "EXi");
  EXPECT_EQ(BankEngine("CBK1"), "CBK1");
}

TEST(BankNumberTables, TranslateBetweenCodesAndNumbers) {
  EXPECT_EQ(BankNumberOfCode("00008000"), "05");
  EXPECT_EQ(BankNumberOfCode("0002000D"), "1E");
  EXPECT_EQ(BankNameOfNumber("05"), "I-F");
  EXPECT_EQ(BankNameOfNumber("06"), "GM");
  EXPECT_EQ(BankNameOfNumber("10"), "g(d)");
  EXPECT_EQ(BankNameOfNumber("18"), "U-AA");
  EXPECT_EQ(BankNameOfNumber("1E"), "U-GG");
}

TEST(ReadBankHeader, TakesCountAndSizeFromTheirLastBytes) {
  const Bytes image = ImageWith(Bank("PBK1", 0x01020380, 0x000103E8, 0x00020001, 8));
  const BankHeader header = ReadBankHeader(Image(image), 28);
  EXPECT_EQ(header.offset, 28);
  EXPECT_EQ(header.id, "PBK1");
  EXPECT_EQ(header.chunkSize, 12 + 8);
  EXPECT_EQ(header.checkSum, 0x5A);
  EXPECT_EQ(header.patchCount, 0x80);
  EXPECT_EQ(header.patchSize, 1000);
  EXPECT_EQ(header.typeCodeHex(), "00020001");
  EXPECT_EQ(header.patchOffset(0), 28 + 24);
  EXPECT_EQ(header.patchOffset(2), 28 + 2024);
}

TEST(ReadBankHeader, AHeaderCutByTheEndOfTheImageReadsWhatIsThere) {
  Bytes image = ImageWith(Bank("CBK1", 5, 100, 0x00020000));
  image.resize(28 + 17);  // up to the first byte of patchSize's last two
  const BankHeader header = ReadBankHeader(Image(image), 28);
  EXPECT_EQ(header.id, "CBK1");
  EXPECT_EQ(header.patchCount, 5);
  EXPECT_EQ(header.patchSize, 0);
  EXPECT_EQ(header.typeCode, "");
  EXPECT_EQ(ReadBankHeader(Image(image), 10000).id, "");
  EXPECT_EQ(ReadBankHeader(Image(image), -4).id, "");
}

TEST(BankRun, ProgramBanksOfBothEnginesInAnyOrderThenAnotherIdEndsTheRun) {
  ChunkNode prg{"PRG1", {}, {}, {}};
  prg.children = {Bank("MBK1", 0, 0, 0x8000, 4), Bank("PBK1", 0, 0, 0, 0), Bank("MBK1", 0, 0, 1, 2),
                  Bank("CBK1", 0, 0, 2), Bank("PBK1", 0, 0, 3)};
  const Bytes image = ImageWith(prg);
  const std::int64_t first = 28 + 12;
  const std::vector<std::int64_t> expected = {first, first + 28, first + 28 + 24};
  EXPECT_EQ(BankRun(Image(image), 28, BankRunKind::Programs), expected);
  EXPECT_TRUE(BankRun(Image(image), 28, BankRunKind::Combinations).empty());
}

TEST(BankRun, DrumKitAndWaveSequenceRunsTakeAnyFirstLetterBeforeBK1) {
  ChunkNode dkt{"DKT1", {}, {}, {}};
  dkt.children = {Bank("DBK1", 0, 0, 0), Bank("XBK1", 0, 0, 0), Bank("PBK1", 0, 0, 0),
                  Bank("DBK2", 0, 0, 0), Bank("DBK1", 0, 0, 0)};
  const Bytes image = ImageWith(dkt);
  EXPECT_EQ(BankRun(Image(image), 28, BankRunKind::DrumKitsOrWaveSequences),
            (std::vector<std::int64_t>{40, 64, 88}));
}

TEST(BankRun, CombinationRunsTakeOnlyCBK1) {
  ChunkNode cmb{"CMB1", {}, {}, {}};
  cmb.children = {Bank("CBK1", 0, 0, 0), Bank("CBK1", 0, 0, 1), Bank("DBK1", 0, 0, 0)};
  const Bytes image = ImageWith(cmb);
  EXPECT_EQ(BankRun(Image(image), 28, BankRunKind::Combinations), (std::vector<std::int64_t>{40, 64}));
}

TEST(BankRun, SizeFieldsThatDoNotMoveForwardOrLeaveTheImageEndTheRun) {
  ChunkNode prg{"PRG1", {}, {}, {}};
  prg.children = {Bank("PBK1", 0, 0, 0), Bank("PBK1", 0, 0, 1)};
  Bytes image = ImageWith(prg);
  PutBigEndian32(image, 40 + 4, 0xFFFFFFF4);  // minus 12: the next bank would be itself
  EXPECT_EQ(BankRun(Image(image), 28, BankRunKind::Programs), (std::vector<std::int64_t>{40}));
  PutBigEndian32(image, 40 + 4, 0x80000000);  // far backwards
  EXPECT_EQ(BankRun(Image(image), 28, BankRunKind::Programs), (std::vector<std::int64_t>{40}));
  PutBigEndian32(image, 40 + 4, 0x7FFFFFFF);  // far past the end
  EXPECT_EQ(BankRun(Image(image), 28, BankRunKind::Programs), (std::vector<std::int64_t>{40}));
  EXPECT_TRUE(BankRun(Image(image), static_cast<std::int64_t>(image.size()), BankRunKind::Programs).empty());
}

TEST(SetListBankOffset, FindsSBK1AsTheFirstChildOfTheChunkAfterTheFirstGrandchild) {
  const Bytes image = test::PcgBuilder().setLists(2, 64).build();
  const std::int64_t sls1 = FindChunk("SLS1", Image(image));
  ASSERT_GT(sls1, 0);
  const std::int64_t bank = SetListBankOffset(Image(image), sls1);
  ASSERT_GT(bank, sls1);
  EXPECT_EQ(BytesText(Image(image), bank, 4), "SBK1");
  // Its count and size are full 32-bit numbers.
  EXPECT_EQ(NumberAt(Image(image), bank + 12), 2);
  EXPECT_EQ(NumberAt(Image(image), bank + 16), 24 + 128 * 64);
}

TEST(SetListBankOffset, IdsOfTheChunksOnTheWayAreNotCompared) {
  ChunkNode c2{"????", {}, Bytes(20, 0), {}};
  ChunkNode c3{"....", {}, {}, {Bank("SBK1", 1, 30, 0x20000)}};
  const Bytes image = ImageWith(ChunkNode{"SLS1", {}, {}, {ChunkNode{"xxxx", {}, {}, {c2, c3}}}});
  EXPECT_EQ(SetListBankOffset(Image(image), 28), 28 + 24 + 32 + 12);
}

TEST(SetListBankOffset, NoSBK1WhereExpectedGivesMinusOne) {
  ChunkNode c2{"SLSI", {}, Bytes(20, 0), {}};
  ChunkNode c3{"SLSD", {}, {}, {Bank("CBK1", 1, 30, 0)}};
  Bytes image = ImageWith(ChunkNode{"SLS1", {}, {}, {ChunkNode{"SLST", {}, {}, {c2, c3}}}});
  EXPECT_EQ(SetListBankOffset(Image(image), 28), -1);
  // Hostile sizes of C2 point anywhere; the read stays inside the image.
  for (const std::uint32_t size : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFE0u, 0xFFFFFFFFu}) {
    PutBigEndian32(image, 28 + 28, size);
    EXPECT_EQ(SetListBankOffset(Image(image), 28), -1) << size;
  }
  EXPECT_EQ(SetListBankOffset(Image(image), static_cast<std::int64_t>(image.size()) - 2), -1);
}

}  // namespace
}  // namespace patchlore
