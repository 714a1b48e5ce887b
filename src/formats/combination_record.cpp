#include "formats/combination_record.hpp"

#include "common/byte_reader.hpp"

namespace patchlore {

using namespace combination_layout;

TimbreFacts DecodeTimbre(Image image, std::int64_t timbre) {
  TimbreFacts facts;
  facts.mixer = DecodeMixer(image, timbre, kTimbreMixer);
  if (const auto playMute = ReadU8(image, timbre + kPlayMute)) facts.muted = ((*playMute >> kMuteBit) & 1) != 0;
  return facts;
}

CombinationFacts DecodeCombination(Image image, std::int64_t offset, const ModelConstants& model) {
  CombinationFacts facts;
  facts.offset = offset;
  facts.name = ReadClippedBytes(image, offset + kName, kNameWidth);
  for (int t = 0; t < kTimbreCount; ++t)
    facts.timbres[static_cast<std::size_t>(t)] = DecodeTimbre(image, TimbreOffset(offset, t, model));
  return facts;
}

}  // namespace patchlore
