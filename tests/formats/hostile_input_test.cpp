// Whatever a file says, the readers stay inside the image and end. Run under
// the sanitizer build, these catch any read outside a buffer.
#include <gtest/gtest.h>

#include "formats/chunk_listing.hpp"
#include "formats/chunks.hpp"
#include "formats/sng.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

constexpr std::uint32_t kHostileSizes[] = {0u, 1u, 0xFFFFFFF4u, 0xFFFFFFF3u, 0x7FFFFFFFu,
                                           0x80000000u, 0xFFFFFFFFu, 0x0000FFFFu};

void ReadEverything(const Bytes& image) {
  const Image view(image);
  (void)CheckPcgListing("F", view);
  (void)PcgLengthError(view);
  (void)FindChunk("INI2", view);
  const std::int64_t o = SngPosition(view);
  (void)SngLengthMatches(view, o);
  for (const auto song : SongChunkOffsets(view, o)) (void)MuteAndPlayCounts(view, song);
  for (int i = 0; i < SongCount(view); ++i) (void)SongName(view, o, i);
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
      EXPECT_NE(CheckPcgListing("F", Image(image)).back(), "") << walk.offset();
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

TEST(HostileInput, EveryTruncationOfAnSngIsReadSafely) {
  const Bytes sng = test::SngBuilder().song("One", 1).build();
  for (std::size_t n = 0; n <= sng.size(); ++n) ReadEverything(Bytes(sng.begin(), sng.begin() + static_cast<std::ptrdiff_t>(n)));
}

TEST(FullBackup, RealisticSizeAndCompleteChain) {
  const Bytes image = test::PcgBuilder::FullBackup().build();
  EXPECT_GT(image.size(), 45'000'000u);
  EXPECT_LT(image.size(), 52'000'000u);
  EXPECT_EQ(PcgLengthError(Image(image)), std::nullopt);
  EXPECT_EQ(CheckPcgListing("F", Image(image)).back(), "Type of file=KORG KRONOS PCG ");
}

}  // namespace
}  // namespace patchlore
