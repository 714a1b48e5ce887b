#include "common/bytes.hpp"

#include <gtest/gtest.h>

#include "formats/chunks.hpp"
#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"

namespace patchlore {
namespace {

Image Of(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(BytesText, ClipsToTheImage) {
  const std::string ten = "0123456789";
  EXPECT_EQ(BytesText(Of(ten), 8, 4), "89");
  EXPECT_EQ(BytesText(Of(ten), 10, 4), "");
  EXPECT_EQ(BytesText(Of(ten), -2, 4), "01");
  EXPECT_EQ(BytesText(Of(ten), -8, 4), "");
  EXPECT_EQ(BytesText(Of(ten), 3, 0), "");
  EXPECT_EQ(BytesText(Of(ten), 2, 3), "234");
  EXPECT_EQ(BytesText(Of(""), 0, 4), "");
  EXPECT_EQ(BytesText(Of(ten), INT64_MAX - 2, 4), "");
  EXPECT_EQ(BytesText(Of(ten), 9, INT64_MAX / 2), "9");
  const std::string withNul("A\0B", 3);
  EXPECT_EQ(BytesText(Of(withNul), 0, 3), withNul);
}

TEST(BigEndianValue, FirstByteMostSignificant) {
  EXPECT_EQ(BigEndianValue(std::string("\x00\x00\x01\x2C", 4)), 300);
  EXPECT_EQ(BigEndianValue("\x01\x2C"), 300);
  EXPECT_EQ(BigEndianValue(""), 0);
  EXPECT_EQ(BigEndianValue("\xFF\xFF\xFF\xF4"), -12);
  EXPECT_EQ(BigEndianValue("\x7F\xFF\xFF\xFF\x55"), 0x7FFFFFFF);
  const std::string image("\x00\x00\x01\x2C\x01", 5);
  EXPECT_EQ(NumberAt(Of(image), 0), 300);
  EXPECT_EQ(NumberAt(Of(image), 3), 0x2C01);  // clipped: two bytes left
  EXPECT_EQ(NumberAt(Of(image), -3), 0);
}

TEST(FindText, FindsOnlyWholeOccurrences) {
  EXPECT_EQ(FindText("PCG1", Of("xxPCXxPCG1")), 6);
  EXPECT_EQ(FindText("PCG1", Of("PC..PCG")), -1);
  EXPECT_EQ(FindText("PCG1", Of("")), -1);
  EXPECT_EQ(FindText("PCG1", Of("PCG1")), 0);
}

TEST(TextForms, HexBitsAndPadding) {
  EXPECT_EQ(HexText("KORG"), "4B4F5247");
  EXPECT_EQ(HexText("\x0A"), "0A");
  EXPECT_EQ(HexText(""), "");
  EXPECT_EQ(BitsText("\x01"), "00000001");
  EXPECT_EQ(BitsText("\x20\xFF"), "0010000011111111");
  EXPECT_EQ(ZeroPad(7, 3), "007");
  EXPECT_EQ(ZeroPad(1234, 3), "1234");
  EXPECT_EQ(ZeroPad(0, 0), "0");
  EXPECT_EQ(Hex8(0x1C), "0000001C");
  EXPECT_EQ(Hex8(-9), "FFFFFFF7");
  EXPECT_EQ(Hex8(0x123456789), "123456789");
  EXPECT_EQ(HexPad(5, 2), "05");
}

TEST(TableLookup, KeyNeedsABlankBeforeIt) {
  const std::string models = "; 68=KRONOS; 70=OASYS; ";
  EXPECT_EQ(TableLookup(models, "", "70"), "OASYS");
  EXPECT_EQ(TableLookup(models, "", "68"), "KRONOS");
  EXPECT_EQ(TableLookup(models, "", "6A"), "6A");
  EXPECT_EQ(TableLookup(models, "", "8"), "8");  // "8=" follows "6", not a blank
  const std::string engines = "; MBK1=EXi; PBK1=HD-1;  ";
  EXPECT_EQ(TableLookup(engines, "", "PBK1"), "HD-1");
  EXPECT_EQ(TableLookup(engines, "", "CBK1"), "CBK1");
  EXPECT_EQ(TableLookup("", "", "K"), "K");
  EXPECT_EQ(TableLookup("; A=; B=x y;", "", "A"), "A");  // empty value gives the key
  EXPECT_EQ(TableLookup("; A=; B=x y;", "", "B"), "x y");
}

TEST(TableLookup, SectionNarrowsTheTable) {
  const std::string table = ";S1 ,a=1,b=2;S2 ,a=3;";
  EXPECT_EQ(TableLookup(table, "S2", "a"), "a");  // ",a=" has no blank before the key
  EXPECT_EQ(TableLookup(";S2 , a=3;", "S2", "a"), "3");
  EXPECT_EQ(TableLookup(";S2 , a=3;", "S9", "a"), "a");
}


TEST(HexPad, UppercaseWithAtLeastTheGivenDigits) {
  EXPECT_EQ(HexPad(3353, 2), "D19");
  EXPECT_EQ(HexPad(6, 2), "06");
  EXPECT_EQ(HexPad(0, 1), "0");
  EXPECT_EQ(HexPad(0xAB, 4), "00AB");
}

TEST(Trim, BlanksAndControlCharactersGoAtBothEnds) {
  EXPECT_EQ(Trim("\t Acoustic Piano  \t"), "Acoustic Piano");
  EXPECT_EQ(Trim(" \x01 "), "");
}

TEST(NameText, DropsTrailingNulsAndShowsInnerOnesAsBlanks) {
  using namespace std::string_literals;
  EXPECT_EQ(NameText("Concert Grand\0\0\0"s), "Concert Grand");
  EXPECT_EQ(NameText("Pad\0A  \0"s), "Pad A  ");  // blanks are text: they stay
  EXPECT_EQ(NameText("\0Lead\xC0\0"s), " Lead\xC0");
  EXPECT_EQ(NameText("\0\0\0"s), "");
  EXPECT_EQ(NameText(""), "");
}

TEST(FindChunk, WalksTopLevelChunksOnly) {
  const auto image = test::PcgBuilder().programBank(0, 2, 100).withIni().build();
  const Image view(image);
  const auto ini2 = FindChunk("INI2", view);
  ASSERT_GT(ini2, 28);
  EXPECT_EQ(BytesText(view, ini2, 4), "INI2");
  EXPECT_EQ(FindChunk("PBK1", view), -1);  // a bank, not a top-level chunk
  EXPECT_EQ(FindChunk("DIV1", view), 28);

  auto looping = test::SmallestPcg();
  looping[32] = looping[33] = looping[34] = 0xFF;
  looping[35] = 0xF4;  // size -12: the step does not move forward
  EXPECT_EQ(FindChunk("XXXX", Image(looping)), -1);
}

TEST(ChunkWalk, EndsOnSizesThatDoNotMoveForward) {
  auto image = test::SmallestPcg();
  EXPECT_EQ(ChunkWalkEnd(Image(image), 28), 52);
  for (const std::uint32_t size : {0xFFFFFFF4u, 0xFFFFFF00u, 0x80000000u}) {
    test::PutBigEndian32(image, 32, size);
    EXPECT_EQ(ChunkWalkEnd(Image(image), 28), 28) << size;
  }
  test::PutBigEndian32(image, 32, 0x7FFFFFFF);
  EXPECT_EQ(ChunkWalkEnd(Image(image), 28), 28 + 12 + 0x7FFFFFFFll);
}

TEST(PcgLengthCheck, BothRules) {
  auto image = test::SmallestPcg();
  EXPECT_EQ(test::ResultText(CheckPcgLength(Image(image))), "ok");
  EXPECT_EQ(test::ResultText(CheckPcgLength(Image(test::PcgBuilder().programBank(0, 3, 200).build()))), "ok");
  image[23] = 0x19;
  EXPECT_EQ(test::ResultText(CheckPcgLength(Image(image))),
            "ERROR: PCG uncorrect length. *** Offset=00000014 00000019 *** Must be 00000034");
  image[23] = 0x18;
  image[35] = 0x0D;  // the last child one byte too long
  EXPECT_EQ(test::ResultText(CheckPcgLength(Image(image))), "ERROR: PCG uncorrect length");
}

TEST(Models, OnlyKronosAndOasys) {
  EXPECT_EQ(ModelName(0x68), "KRONOS");
  EXPECT_EQ(ModelName(0x70), "OASYS");
  EXPECT_FALSE(IsKnownModel(0x71));
  EXPECT_EQ(ModelName(0x71), "71");
}

}  // namespace
}  // namespace patchlore
