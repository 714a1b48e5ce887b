// The mixer fields of a timbre or a song track, decoded once. A field whose
// byte lies outside the image has no value.
#pragma once

#include <cstdint>
#include <optional>

#include "common/bytes.hpp"
#include "formats/mixer_layout.hpp"

namespace patchlore {

struct MixerFacts {
  std::optional<std::uint8_t> programNumber;
  std::optional<std::uint8_t> programBank;
  std::optional<std::uint8_t> statusChannel;
  std::optional<std::uint8_t> volume;
  std::optional<std::int8_t> transpose;
  std::optional<std::uint8_t> pan;
  std::optional<std::uint8_t> keyZoneFirst;
  std::optional<std::uint8_t> keyZoneSecond;
  std::optional<std::uint8_t> velocityZoneFirst;
  std::optional<std::uint8_t> velocityZoneSecond;

  // The timbre or track is off: its status is 0. Not so when the byte lies
  // outside the image.
  bool off() const { return statusChannel && (*statusChannel >> kStatusShift) == kStatusOff; }
};

MixerFacts DecodeMixer(Image image, std::int64_t record, const MixerLayout& layout);

}  // namespace patchlore
