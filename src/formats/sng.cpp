#include "formats/sng.hpp"

#include "formats/chunks.hpp"

namespace patchlore {

namespace {
std::uint8_t ByteAt(Image image, std::int64_t offset) {
  const std::string b = BytesText(image, offset, 1);
  return b.empty() ? 0 : static_cast<std::uint8_t>(b[0]);
}
}  // namespace

std::int64_t SngPosition(Image image) { return std::int64_t{NumberAt(image, 32)} + 36; }

bool SngLengthMatches(Image image, std::int64_t sng1) {
  const auto n = static_cast<std::int64_t>(image.size());
  return Hex8(n - sng1 - kChunkHeaderSize) == HexText(BytesText(image, sng1 + 4, 4));
}

int SongCount(Image image) { return ByteAt(image, 43); }

int SongNumber(Image image, int song) { return ByteAt(image, 80 + 8 * std::int64_t{song} + 3); }

std::string SongName(Image image, std::int64_t sng1, int song) {
  return TrimRight(BytesText(image, sng1 + 36 + 64 * std::int64_t{song}, 24));
}

std::vector<std::int64_t> SongChunkOffsets(Image image, std::int64_t sng1) {
  std::vector<std::int64_t> songs;
  const auto n = static_cast<std::int64_t>(image.size());
  std::int64_t p = sng1 + kChunkHeaderSize;
  while (p >= 0 && p < n - 1) {
    const std::string id = BytesText(image, p, 4);
    std::int64_t following;
    if (id == "SGS1") {
      following = p + kChunkHeaderSize;
    } else {
      if (id == "SDT1") songs.push_back(p);
      following = p + kChunkHeaderSize + NumberAt(image, p + 4);
    }
    if (following <= p) break;  // a size that does not move forward would loop
    p = following;
  }
  return songs;
}

TrackCounts MuteAndPlayCounts(Image image, std::int64_t songChunk) {
  TrackCounts counts;
  for (std::int64_t k = 0; k < kTrackCount; ++k) {
    const auto flags = ByteAt(image, songChunk + kTrackRecordStart + kTrackRecordSize * k + 25);
    if (flags & 0x20)
      ++counts.muted;
    else
      ++counts.playing;
  }
  return counts;
}

}  // namespace patchlore
