// Builds synthetic SNG images: header, preamble with the song count and song
// number table, then "SNG1" to the end of the file holding "SDK1" (the song
// names) and "SGS1" with one "SDT1" of 16 track records per song.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/chunk_tree.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore::test {

struct SongSpec {
  std::string name;
  int number = 0;
  std::uint16_t mutedTracks = 0;  // bit k set: track k muted
};

class SngBuilder {
 public:
  explicit SngBuilder(std::uint8_t model = kKronos);
  SngBuilder& song(const std::string& name, int number, std::uint16_t mutedTracks = 0);
  // L, the field at 32: "SNG1" begins at 36 + L. Default: 300, or more for many songs.
  SngBuilder& sngOffsetField(std::uint32_t value);
  Bytes build() const;

  // Offset of "SNG1" in what build() makes.
  std::int64_t sng1Offset() const;

 private:
  std::uint8_t model_;
  std::vector<SongSpec> songs_;
  std::uint32_t offsetField_ = 0;
};

}  // namespace patchlore::test
