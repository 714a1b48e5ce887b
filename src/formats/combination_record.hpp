// A combination record decoded once into named fields: its name and its 16
// timbres. A field whose byte lies outside the image has no value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/bytes.hpp"
#include "formats/combination_layout.hpp"
#include "formats/model_layout.hpp"

namespace patchlore {

struct TimbreFacts {
  std::optional<std::uint8_t> programNumber;  // 0 to 127
  std::optional<std::uint8_t> programBank;    // bank number, e.g. 0x11 for U-A
  std::optional<std::uint8_t> statusChannel;  // high 4 bits status, low 4 bits channel - 1
  std::optional<std::uint8_t> volume;
  std::optional<std::int8_t> transpose;
  std::optional<std::uint8_t> pan;
  std::optional<bool> muted;
  std::optional<std::uint8_t> keyZoneLow;        // shown first
  std::optional<std::uint8_t> keyZoneHigh;       // shown second
  std::optional<std::uint8_t> velocityZoneLow;   // shown first
  std::optional<std::uint8_t> velocityZoneHigh;  // shown second
};

struct CombinationFacts {
  std::int64_t offset = 0;  // where the record starts in the image
  std::string_view name;    // the name bytes as stored, clipped to the image
  std::array<TimbreFacts, combination_layout::kTimbreCount> timbres;
};

TimbreFacts DecodeTimbre(Image image, std::int64_t timbre);
CombinationFacts DecodeCombination(Image image, std::int64_t offset, const ModelConstants& model);

}  // namespace patchlore
