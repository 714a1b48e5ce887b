// A combination record decoded once into named fields: its name and its 16
// timbres. A field whose byte lies outside the image has no value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/bytes.hpp"
#include "formats/combination_layout.hpp"
#include "formats/mixer_record.hpp"
#include "formats/model_layout.hpp"

namespace patchlore {

struct TimbreFacts {
  MixerFacts mixer;
  std::optional<bool> muted;
};

struct CombinationFacts {
  std::int64_t offset = 0;  // where the record starts in the image
  std::string_view name;    // the name bytes as stored, clipped to the image
  std::array<TimbreFacts, combination_layout::kTimbreCount> timbres;
};

TimbreFacts DecodeTimbre(Image image, std::int64_t timbre);
CombinationFacts DecodeCombination(Image image, std::int64_t offset, const ModelConstants& model);

}  // namespace patchlore
