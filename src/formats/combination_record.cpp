#include "formats/combination_record.hpp"

#include "common/byte_reader.hpp"

namespace patchlore {

using namespace combination_layout;

TimbreFacts DecodeTimbre(Image image, std::int64_t timbre) {
  TimbreFacts facts;
  facts.programNumber = ReadU8(image, timbre + kProgramNumber);
  facts.programBank = ReadU8(image, timbre + kProgramBank);
  facts.statusChannel = ReadU8(image, timbre + kStatusChannel);
  facts.volume = ReadU8(image, timbre + kVolume);
  facts.transpose = ReadS8(image, timbre + kTranspose);
  facts.pan = ReadU8(image, timbre + kPan);
  if (const auto playMute = ReadU8(image, timbre + kPlayMute)) facts.muted = ((*playMute >> kMuteBit) & 1) != 0;
  facts.keyZoneLow = ReadU8(image, timbre + kKeyZoneLow);
  facts.keyZoneHigh = ReadU8(image, timbre + kKeyZoneHigh);
  facts.velocityZoneLow = ReadU8(image, timbre + kVelocityZoneLow);
  facts.velocityZoneHigh = ReadU8(image, timbre + kVelocityZoneHigh);
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
