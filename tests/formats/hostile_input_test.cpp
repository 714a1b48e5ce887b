// Whatever a file says, the readers stay inside the image and end. Run under
// the sanitizer build, these catch any read outside a buffer.
#include <gtest/gtest.h>

#include "formats/chunk_listing.hpp"
#include "formats/chunks.hpp"
#include "formats/sng.hpp"
#include "formats/verify.hpp"
#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"
#include "support/sng_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

constexpr std::uint32_t kHostileSizes[] = {0u, 1u, 0xFFFFFFF4u, 0xFFFFFFF3u, 0x7FFFFFFFu,
                                           0x80000000u, 0xFFFFFFFFu, 0x0000FFFFu};

// Reads the image with every reader of the formats layer. The listing and
// the catalogue's length check walk the chunk chain separately; they must
// agree on whether it is complete.
void ReadEverything(const Bytes& image) {
  const Image view(image);
  const auto listing = CheckPcgListing("F", view);
  const std::string& verdict = listing.back();
  ASSERT_EQ(verdict.rfind("Type of file=", 0), 0u) << verdict;
  if (verdict.rfind("Type of file=KORG KRONOS PCG", 0) == 0) {
    const bool chainComplete = verdict == "Type of file=KORG KRONOS PCG ";
    EXPECT_EQ(chainComplete, ChunkWalkEnd(view, kFirstPcgChild) == std::int64_t(image.size()));
    if (CheckPcgLength(view)) {
      EXPECT_TRUE(chainComplete);
    }
  }
  (void)FindChunk("INI2", view);
  (void)VerifyChecksums(view);
  const std::int64_t o = SngPosition(view);
  (void)SngLengthMatches(view, o);
  std::int64_t previous = -1;
  for (const auto song : SongChunkOffsets(view, o)) {
    EXPECT_GT(song, previous);  // the walk only moves forward
    EXPECT_LE(song + 4, std::int64_t(image.size()));
    previous = song;
    (void)MuteAndPlayCounts(view, song);
  }
  for (int i = 0; i < SongCount(view); ++i) EXPECT_LE(SongName(view, o, i).size(), 24u);
}

TEST(HostileInput, EverySizeFieldOfAPcgTakesHostileValues) {
  const Bytes pcg = test::PcgBuilder().programBank(0, 2, 64).combiBank(0, 1, 80).setLists(1, 40).withIni().build();
  for (std::size_t at = 0; at + 4 <= 400; at += 4) {
    for (const auto value : kHostileSizes) {
      Bytes image = pcg;
      test::PutBigEndian32(image, static_cast<std::int64_t>(at), value);
      ReadEverything(image);
    }
  }
  for (ChunkWalker walk(Image(pcg), 28); walk.atChunk(); walk.next()) {
    for (const auto value : kHostileSizes) {
      Bytes image = pcg;
      test::PutBigEndian32(image, walk.offset() + 4, value);
      ReadEverything(image);
      // Size 0 walks into the chunk's own children, which may end the file
      // as well; every other hostile size leaves the chain broken.
      if (value == 0) continue;
      EXPECT_EQ(CheckPcgListing("F", Image(image)).back(),
                "Type of file=KORG KRONOS PCG - ERROR2: PCG uncorrect length")
          << walk.offset() << " " << value;
      EXPECT_EQ(test::ResultText(CheckPcgLength(Image(image))), "ERROR: PCG uncorrect length");
    }
  }
}

TEST(HostileInput, EveryFieldOfAnSngTakesHostileValues) {
  const Bytes sng = test::SngBuilder().song("One", 1).song("Two", 2).build();
  for (std::size_t at = 0; at + 4 <= sng.size(); at += 4) {
    for (const auto value : kHostileSizes) {
      Bytes image = sng;
      test::PutBigEndian32(image, static_cast<std::int64_t>(at), value);
      ReadEverything(image);
    }
  }
  Bytes manySongs = sng;
  manySongs[43] = 255;  // more songs than the table and directory hold
  const auto lines = CheckPcgListing("F", Image(manySongs));
  EXPECT_EQ(lines[lines.size() - 3], "254; S000; Song<>");
}

// A cut SNG keeps the song chunks whose ID it still holds whole.
TEST(HostileInput, EveryTruncationOfAnSngKeepsTheWholeSongChunks) {
  const Bytes sng = test::SngBuilder().song("One", 1).song("Two", 2).build();
  const std::int64_t o = SngPosition(Image(sng));
  const auto whole = SongChunkOffsets(Image(sng), o);
  ASSERT_EQ(whole.size(), 2u);
  for (std::size_t n = 0; n <= sng.size(); ++n) {
    const Bytes cut(sng.begin(), sng.begin() + static_cast<std::ptrdiff_t>(n));
    ReadEverything(cut);
    std::vector<std::int64_t> expected;
    for (const auto song : whole)
      if (song + 4 <= std::int64_t(n)) expected.push_back(song);
    EXPECT_EQ(SongChunkOffsets(Image(cut), o), expected) << n;
  }
}

TEST(FullBackup, RealisticSizeAndCompleteChain) {
  const Bytes image = test::PcgBuilder::FullBackup().build();
  EXPECT_GT(image.size(), 45'000'000u);
  EXPECT_LT(image.size(), 52'000'000u);
  EXPECT_EQ(test::ResultText(CheckPcgLength(Image(image))), "ok");
  EXPECT_EQ(CheckPcgListing("F", Image(image)).back(), "Type of file=KORG KRONOS PCG ");
}

}  // namespace
}  // namespace patchlore
