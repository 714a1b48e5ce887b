#include "formats/mixer_record.hpp"

#include "common/byte_reader.hpp"

namespace patchlore {

MixerFacts DecodeMixer(Image image, std::int64_t record, const MixerLayout& layout) {
  MixerFacts facts;
  facts.programNumber = ReadU8(image, record + layout.programNumber);
  facts.programBank = ReadU8(image, record + layout.programBank);
  facts.statusChannel = ReadU8(image, record + layout.statusChannel);
  facts.volume = ReadU8(image, record + layout.volume);
  facts.transpose = ReadS8(image, record + layout.transpose);
  facts.pan = ReadU8(image, record + layout.pan);
  facts.keyZoneFirst = ReadU8(image, record + layout.keyZoneFirst);
  facts.keyZoneSecond = ReadU8(image, record + layout.keyZoneSecond);
  facts.velocityZoneFirst = ReadU8(image, record + layout.velocityZoneFirst);
  facts.velocityZoneSecond = ReadU8(image, record + layout.velocityZoneSecond);
  return facts;
}

}  // namespace patchlore
