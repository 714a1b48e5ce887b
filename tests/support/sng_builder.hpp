// Builds synthetic SNG images: header, preamble with the song count and song
// number table, then "SNG1" to the end of the file holding "SDK1" (the song
// names) and "SGS1" with one "SDT1" of 16 track records per song.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/model_layout.hpp"
#include "support/chunk_tree.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore::test {

// One track of a song: its record (name, state) and its parameters.
struct TrackPlan {
  std::string name;
  std::uint8_t state = 0;  // record byte 25; bit 5 mutes the track
  std::uint8_t program = 0;
  std::uint8_t bank = 0;             // bank number: 0 I-A, 6 GM, 16 g(d), 17 U-A
  std::uint8_t statusChannel = 0x20;  // INT on channel 1
  std::uint8_t volume = 127;
  std::int8_t transpose = 0;
  std::uint8_t pan = 64;
  std::uint8_t keyZoneFirst = 0;    // notes and values in the order shown
  std::uint8_t keyZoneSecond = 127;
  std::uint8_t velocityZoneFirst = 1;
  std::uint8_t velocityZoneSecond = 127;
};

struct SongPlan {
  std::string name;
  int number = 0;
  std::uint16_t mutedTracks = 0;  // bit k set: track k muted
  // Given tracks (k = 0, 1, ...); a song with any gets all 16 parameter
  // records, the others zero apart from a record state of 0.
  std::vector<TrackPlan> tracks;
};

class SngBuilder {
 public:
  explicit SngBuilder(std::uint8_t model = kKronos);
  // A song; its number goes into the number table and into the song chunk.
  SngBuilder& song(const std::string& name, int number, std::uint16_t mutedTracks = 0);
  // The next track of the last song.
  SngBuilder& track(const TrackPlan& track);
  // L, the field at 32: "SNG1" begins at 36 + L. Default: 300, or more for many songs.
  SngBuilder& sngOffsetField(std::uint32_t value);
  Bytes build() const;

  // The size field at 16 of every song chunk: its name lies 48 + this into it.
  static constexpr std::uint32_t kSongNameField = 600;

  // Offset of "SNG1" in what build() makes.
  std::int64_t sng1Offset() const;

 private:
  ChunkNode songChunk(const SongPlan& song) const;
  ModelConstants constants() const;

  std::uint8_t model_;
  std::vector<SongPlan> songs_;
  std::uint32_t offsetField_ = 0;
};

}  // namespace patchlore::test
