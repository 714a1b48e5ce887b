// The SNG container: file header, a preamble with the song count and song
// number table, then one "SNG1" chunk running to the end of the file with the
// song directory "SDK1" and the song chunks "SDT1" inside "SGS1".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.hpp"

namespace patchlore {

constexpr std::int64_t kTrackCount = 16;
constexpr std::int64_t kTrackRecordStart = 52;
constexpr std::int64_t kTrackRecordSize = 36;

// o = the signed 32-bit number at 32, plus 36.
std::int64_t SngPosition(Image image);

// True when the SNG1 chunk at sng1 declares a size of exactly n - sng1 - 12.
bool SngLengthMatches(Image image, std::int64_t sng1);

// The song count m: the byte at 43 (0 to 255).
int SongCount(Image image);
// Number of song i: the byte at 80 + 8 i + 3.
int SongNumber(Image image, int song);
// Name of song i: 24 bytes at sng1 + 36 + 64 i, trailing blanks trimmed.
std::string SongName(Image image, std::int64_t sng1, int song);

// Offsets of the "SDT1" chunks met walking from sng1 + 12 (entering "SGS1").
std::vector<std::int64_t> SongChunkOffsets(Image image, std::int64_t sng1);

struct TrackCounts {
  int muted = 0;
  int playing = 0;
};
// Over the 16 track records of the "SDT1" chunk at t: bit 5 of byte 25 set
// means muted.
TrackCounts MuteAndPlayCounts(Image image, std::int64_t songChunk);

}  // namespace patchlore
