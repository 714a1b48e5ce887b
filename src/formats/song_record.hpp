// A song chunk and its tracks decoded once into named fields. A field whose
// bytes lie outside the image has no value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/bytes.hpp"
#include "formats/mixer_record.hpp"
#include "formats/model_layout.hpp"

namespace patchlore {

struct SongFacts {
  std::optional<std::uint8_t> number;  // the song label is "S" + this
  std::string_view name;               // as stored, clipped; empty when it lies outside the image
  std::int64_t nameOffset = -1;        // where the name lies; -1 when before the image
};

struct TrackFacts {
  std::string_view name;       // the track name as stored, clipped to the image
  std::optional<bool> muted;   // the mute bit of the track state
  // The whole parameter record lies inside the image.
  bool parametersComplete = false;
  MixerFacts mixer;
};

// The song chunk "SDT1" at song.
SongFacts DecodeSong(Image image, std::int64_t song);
// "S" and the song number as three digits ("S007"); "S???" when the number
// lies outside the image.
std::string SongLabel(const SongFacts& song);
// Track k (0 to 15) of the song chunk at song: its record and its parameters.
TrackFacts DecodeTrack(Image image, std::int64_t song, int k, const ModelConstants& model);

}  // namespace patchlore
