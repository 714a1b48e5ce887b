#include "formats/chunk_listing.hpp"

#include <gtest/gtest.h>

#include <set>

#include "formats/chunks.hpp"
#include "formats/sng.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

std::vector<std::string> Listing(const Bytes& image) { return CheckPcgListing("/data/F.PCG", Image(image)); }

std::string Chars(const Bytes& image, std::size_t from, std::size_t count) {
  return std::string(image.begin() + from, image.begin() + from + count);
}

TEST(CheckPcgListing, SmallestCompletePcg) {
  const Bytes image = test::SmallestPcg();
  const std::vector<std::string> expected = {
      "/data/F.PCG",
      "Bytes:52; hex=00000034",
      "offset=00000000  4B4F5247680000000000000000000000 - " + Chars(image, 0, 16),
      "offset=00000010  50434731000000180000000050524731 - " + Chars(image, 16, 16),
      "",
      "*** PCG List ***",
      "offset=00000010  00000018  +00000010+$1C=00000034; FileLength=00000034",
      "",
      "offset=0000001C /    505247310000000C - PRG1",
      "offset=00000034 / ; FileLength=00000034",
      "*** PCG List End ***",
      "Type of file=KORG KRONOS PCG ",
  };
  EXPECT_EQ(Listing(image), expected);
}

TEST(CheckPcgListing, LastChildTooLongEndsWithError2) {
  Bytes image = test::SmallestPcg(test::kOasys);
  image[35] = 0x0D;
  const auto lines = Listing(image);
  EXPECT_EQ(lines[lines.size() - 2], "offset=00000035 / ; FileLength=00000034");
  EXPECT_EQ(lines.back(), "Type of file=KORG OASYS PCG - ERROR2: PCG uncorrect length");
}

TEST(CheckPcgListing, HostileChunkSizesEndTheWalk) {
  Bytes image = test::SmallestPcg();
  for (const std::uint32_t size : {0xFFFFFFF4u, 0x7FFFFFFFu, 1u, 0x80000000u}) {
    test::PutBigEndian32(image, 32, size);
    const auto lines = Listing(image);
    EXPECT_EQ(lines.back(), "Type of file=KORG KRONOS PCG - ERROR2: PCG uncorrect length") << size;
  }
}

TEST(CheckPcgListing, RealisticPcgListsEveryTopLevelChunk) {
  const Bytes image = test::PcgBuilder().programBank(0, 4, 300).combiBank(0x20000, 2, 500).setLists(1).withIni().build();
  const auto lines = Listing(image);
  std::vector<std::string> ids;
  for (const auto& line : lines)
    if (line.rfind("offset=", 0) == 0 && line.find(" /    ") != std::string::npos) ids.push_back(line.substr(line.size() - 4));
  EXPECT_EQ(ids, (std::vector<std::string>{"DIV1", "SLS1", "PRG1", "CMB1", "DKT1", "WSQ1", "GLB1", "INI1", "INI2"}));
  EXPECT_EQ(lines.back(), "Type of file=KORG KRONOS PCG ");
}

TEST(CheckPcgListing, ForeignAndShortFiles) {
  EXPECT_EQ(Listing(Bytes{}).back(), "Type of file=not KORG Undefined type of file: not PCG and not SNG *** ");
  EXPECT_EQ(Listing(Bytes{}).size(), 6u);
  Bytes model71 = test::SmallestPcg();
  model71[4] = 0x71;
  EXPECT_EQ(Listing(model71).back(),
            "Type of file=KORG undefined Model Undefined type of file: not PCG and not SNG *** ");
  Bytes shortKronos(42, 0);
  std::copy_n("KORGh", 5, shortKronos.begin());
  EXPECT_EQ(Listing(shortKronos).back(),
            "Type of file=KORG KRONOS Undefined type of file: not PCG and not SNG *** "
            "- ERROR3: uncorrect length (very short)");
  const Bytes four = {'K', 'O', 'R', 'G'};
  EXPECT_EQ(Listing(four)[2], "offset=00000000  4B4F5247 - KORG");
  EXPECT_EQ(Listing(four)[3], "offset=00000010   - ");
}

TEST(CheckPcgListing, SngSection) {
  test::SngBuilder builder;
  builder.song("Intro", 0).song("Intro", 5);
  const Bytes image = builder.build();
  const std::string n = Hex8(static_cast<std::int64_t>(image.size()));
  const auto lines = Listing(image);
  ASSERT_EQ(lines[5], "*** SNG List ***");
  EXPECT_EQ(lines[8], "*** " + n + "; \xEA\xEE\xED\xF2\xF0\xEE\xEB\xFC \xE4\xEB\xE8\xED\xFB \xF4\xE0\xE9\xEB\xE0 " + n);
  EXPECT_EQ(lines[9], "*** 00000028 00000002 SongCount=2");
  EXPECT_EQ(lines[10], "*** 00000020 0000012C *** 00000020+4+0000012C=00000150");
  EXPECT_EQ(lines[11].substr(0, 21), "*** 00000150 534E4731");
  EXPECT_EQ(lines[13], "*** 0000015C 0000008C *** 0000015C+0000008C=000001F4");
  EXPECT_EQ(lines[16], "    SongCount=2");
  EXPECT_EQ(lines[17], "000; S000; Song<Intro>");
  EXPECT_EQ(lines[18], "001; S005; Song<Intro>");
  EXPECT_EQ(lines[19], "*** SNG List End ***");
  EXPECT_EQ(lines[20], "Type of file=KORG KRONOS SNG ");
}

TEST(CheckPcgListing, SngWithoutSongsAndMissingChunks) {
  EXPECT_EQ(Listing(test::SngBuilder(test::kOasys).build()).back(), "Type of file=KORG OASYS SNG SDT1 missing");
  Bytes countZero = test::SngBuilder(test::kOasys).song("A", 1).build();
  countZero[43] = 0;
  const auto lines = Listing(countZero);
  EXPECT_EQ(lines[lines.size() - 3], "    SongCount=0");
  EXPECT_EQ(lines[lines.size() - 2], "*** SNG List End ***");
  EXPECT_EQ(lines.back(), "Type of file=KORG OASYS SNG ");

  Bytes image = test::SngBuilder().song("A", 1).build();
  const std::int64_t o = SngPosition(Image(image));
  Bytes noSgs = image;
  noSgs[static_cast<std::size_t>(o + 12 + 12 + NumberAt(Image(image), o + 16))] = 'X';
  EXPECT_EQ(Listing(noSgs).back(), "Type of file=KORG KRONOS SNG SGS1 missing");
  Bytes noSdk = image;
  noSdk[static_cast<std::size_t>(o + 12)] = 'X';
  EXPECT_EQ(Listing(noSdk).back(), "Type of file=KORG KRONOS SNG SDK1 missing");
  Bytes noSng = image;
  noSng[35] = 0x00;  // SNG1 expected at 36
  EXPECT_EQ(Listing(noSng).back(), "Type of file=KORG KRONOS Undefined type of file: not PCG and not SNG *** ");
  Bytes negative = image;
  test::PutBigEndian32(negative, 32, 0xFFFFFF00u);
  EXPECT_EQ(Listing(negative)[10], "*** 00000020 FFFFFF00 *** 00000020+4+FFFFFF00=FFFFFF24");
}

TEST(CheckPcgListing, EveryTruncationOfAPcgAndAnSng) {
  const Bytes pcg = test::PcgBuilder().programBank(0, 2, 100).withIni().build();
  // A cut at the start of a top-level chunk leaves a complete chain of chunks.
  std::set<std::size_t> boundaries = {pcg.size()};
  for (ChunkWalker walk(Image(pcg), 28); walk.atChunk(); walk.next())
    boundaries.insert(static_cast<std::size_t>(walk.offset()));
  for (std::size_t n = 0; n <= pcg.size(); ++n) {
    const Bytes cut(pcg.begin(), pcg.begin() + static_cast<std::ptrdiff_t>(n));
    const std::string last = Listing(cut).back();
    if (n < 4) EXPECT_EQ(last, "Type of file=not KORG Undefined type of file: not PCG and not SNG *** ");
    else if (n == 4) EXPECT_EQ(last, "Type of file=KORG undefined Model Undefined type of file: not PCG and not SNG *** ");
    else if (n < 20) EXPECT_EQ(last, "Type of file=KORG KRONOS Undefined type of file: not PCG and not SNG *** - ERROR3: uncorrect length (very short)") << n;
    else if (boundaries.count(n)) EXPECT_EQ(last, "Type of file=KORG KRONOS PCG ") << n;
    else EXPECT_EQ(last, "Type of file=KORG KRONOS PCG - ERROR2: PCG uncorrect length") << n;
  }
  // An SNG cut before one of its chunk IDs names the first one missing.
  const Bytes sng = test::SngBuilder().song("Verse", 3).build();
  const std::int64_t sng1 = SngPosition(Image(sng));
  const std::int64_t sgs1 = sng1 + 24 + NumberAt(Image(sng), sng1 + 16);
  for (std::int64_t n = 43; n <= std::int64_t(sng.size()); ++n) {
    const Bytes cut(sng.begin(), sng.begin() + static_cast<std::ptrdiff_t>(n));
    std::string expected = "Type of file=KORG KRONOS SNG ";
    if (n < sng1 + 4) expected = "Type of file=KORG KRONOS Undefined type of file: not PCG and not SNG *** ";
    else if (n < sng1 + 16) expected += "SDK1 missing";
    else if (n < sgs1 + 4) expected += "SGS1 missing";
    else if (n < sgs1 + 16) expected += "SDT1 missing";
    EXPECT_EQ(Listing(cut).back(), expected) << n;
  }
}

TEST(SongDirectory, WalkNamesAndTrackCounts) {
  test::SngBuilder builder;
  builder.song("Intro                   ", 1, 0x0003).song("Outro", 2, 0xFFFF);
  const Bytes image = builder.build();
  const Image view(image);
  const std::int64_t o = SngPosition(view);
  EXPECT_EQ(o, 336);
  EXPECT_TRUE(SngLengthMatches(view, o));
  EXPECT_EQ(SongCount(view), 2);
  EXPECT_EQ(SongNumber(view, 1), 2);
  EXPECT_EQ(SongName(view, o, 0), "Intro");
  const auto songs = SongChunkOffsets(view, o);
  ASSERT_EQ(songs.size(), 2u);
  EXPECT_EQ(BytesText(view, songs[1], 4), "SDT1");
  EXPECT_EQ(MuteAndPlayCounts(view, songs[0]).muted, 2);
  EXPECT_EQ(MuteAndPlayCounts(view, songs[0]).playing, 14);
  EXPECT_EQ(MuteAndPlayCounts(view, songs[1]).muted, 16);
  Bytes otherBits = image;  // only bit 5 of byte 25 tells
  otherBits[static_cast<std::size_t>(songs[1] + 52 + 25)] = 0xDF;
  EXPECT_EQ(MuteAndPlayCounts(Image(otherBits), songs[1]).muted, 15);
  Bytes longer = image;
  longer.push_back(0);
  EXPECT_FALSE(SngLengthMatches(Image(longer), o));
}

}  // namespace
}  // namespace patchlore
