#include "formats/sng.hpp"

#include "common/byte_reader.hpp"
#include "formats/chunks.hpp"
#include "formats/song_layout.hpp"

namespace patchlore {

using namespace song_layout;

namespace {
// A byte past the end of the image reads as 0.
std::uint8_t ByteAt(Image image, std::int64_t offset) { return ReadU8(image, offset).value_or(0); }
}  // namespace

std::int64_t SngPosition(Image image) {
  return std::int64_t{ReadClippedS32BE(image, kSng1Pointer)} + kSng1PointerBase;
}

bool SngLengthMatches(Image image, std::int64_t sng1) {
  const auto n = static_cast<std::int64_t>(image.size());
  return Hex8(n - sng1 - kChunkHeaderSize) == HexText(ReadClippedBytes(image, sng1 + kChunkSizeField, 4));
}

int SongCount(Image image) { return ByteAt(image, kSongCount); }

int SongNumber(Image image, int song) {
  return ByteAt(image, kSongNumberTable + kSongNumberEntry * std::int64_t{song} + kSongNumberInEntry);
}

std::string_view SongDirectoryName(Image image, std::int64_t sng1, int song) {
  return ReadClippedBytes(image, sng1 + kDirectoryName + kDirectoryEntry * std::int64_t{song}, kNameWidth);
}

std::string SongName(Image image, std::int64_t sng1, int song) {
  return TrimRight(NameText(SongDirectoryName(image, sng1, song)));
}

std::vector<std::int64_t> SongChunkOffsets(Image image, std::int64_t sng1) {
  std::vector<std::int64_t> songs;
  const auto n = static_cast<std::int64_t>(image.size());
  std::int64_t p = sng1 + kChunkHeaderSize;
  while (p >= 0 && p < n - 1) {
    const std::string_view id = ReadClippedBytes(image, p, kChunkIdWidth);
    std::int64_t following;
    if (id == "SGS1") {
      following = p + kChunkHeaderSize;
    } else {
      if (id == "SDT1") songs.push_back(p);
      following = p + kChunkHeaderSize + ReadClippedS32BE(image, p + kChunkSizeField);
    }
    if (following <= p) break;  // a size that does not move forward would loop
    p = following;
  }
  return songs;
}

TrackCounts MuteAndPlayCounts(Image image, std::int64_t songChunk) {
  TrackCounts counts;
  for (int k = 0; k < kTrackCount; ++k) {
    const auto state = ByteAt(image, TrackRecordOffset(songChunk, k) + kTrackState);
    if ((state >> kMuteBit) & 1)
      ++counts.muted;
    else
      ++counts.playing;
  }
  return counts;
}

}  // namespace patchlore
