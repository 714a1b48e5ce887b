// The SNG container: file header, a preamble with the song count and song
// number table, then one "SNG1" chunk running to the end of the file with the
// song directory "SDK1" and the song chunks "SDT1" inside "SGS1".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.hpp"

namespace patchlore {

// Offset o of the "SNG1" chunk, from the pointer in the preamble.
std::int64_t SngPosition(Image image);

// True when the SNG1 chunk at sng1 declares a size of exactly n - sng1 - 12.
bool SngLengthMatches(Image image, std::int64_t sng1);

// The song count m (0 to 255).
int SongCount(Image image);
// Number of song i in the song number table.
int SongNumber(Image image, int song);
// Name of song i in the song directory of the "SNG1" chunk at sng1, as
// stored (24 bytes, clipped to the image).
std::string_view SongDirectoryName(Image image, std::int64_t sng1, int song);
// The same with trailing blanks trimmed.
std::string SongName(Image image, std::int64_t sng1, int song);

// Offsets of the "SDT1" chunks met walking from sng1 + 12 (entering "SGS1").
std::vector<std::int64_t> SongChunkOffsets(Image image, std::int64_t sng1);

struct TrackCounts {
  int muted = 0;
  int playing = 0;
};
// Over the 16 track records of the "SDT1" chunk at songChunk: the mute bit
// of the track state.
TrackCounts MuteAndPlayCounts(Image image, std::int64_t songChunk);

}  // namespace patchlore
