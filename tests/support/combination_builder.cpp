#include "support/combination_builder.hpp"

#include <algorithm>

#include "formats/combination_layout.hpp"

namespace patchlore::test {

using namespace combination_layout;

void ClearCombinationBody(Bytes& record) {
  std::fill(record.begin() + kName + kNameWidth, record.end(), std::uint8_t{0});
}

void PutTimbre(Bytes& record, const ModelConstants& model, int t, const TimbreBytes& timbre) {
  const std::int64_t at = TimbreOffset(0, t, model);
  const auto put = [&](std::int64_t field, int value) {
    record.at(static_cast<std::size_t>(at + field)) = static_cast<std::uint8_t>(value);
  };
  put(kProgramNumber, timbre.programNumber);
  put(kProgramBank, timbre.programBank);
  put(kStatusChannel, timbre.statusChannel);
  put(kVolume, timbre.volume);
  put(kTranspose, timbre.transpose);
  put(kPan, timbre.pan);
  put(kPlayMute, timbre.playMute);
  put(kKeyZoneLow, timbre.keyZoneLow);
  put(kKeyZoneHigh, timbre.keyZoneHigh);
  put(kVelocityZoneLow, timbre.velocityZoneLow);
  put(kVelocityZoneHigh, timbre.velocityZoneHigh);
}

}  // namespace patchlore::test
