// The combination record and its 16 timbres: where each field lies. The
// first timbre lies ModelConstants::timbreBase bytes into the combination,
// each next one ModelConstants::timbreSize bytes further.
#pragma once

#include <cstdint>

#include "formats/mixer_layout.hpp"
#include "formats/model_layout.hpp"

namespace patchlore::combination_layout {

inline constexpr std::int64_t kName = 0;  // combination name, characters
inline constexpr std::int64_t kNameWidth = 24;
inline constexpr int kTimbreCount = 16;

// Offsets from the start of a timbre.
inline constexpr std::int64_t kProgramNumber = 2;  // 0 to 127
inline constexpr std::int64_t kProgramBank = 3;    // bank number, a key of the bank number table
inline constexpr std::int64_t kStatusChannel = 4;  // high 4 bits status, low 4 bits MIDI channel - 1
inline constexpr std::int64_t kVolume = 7;         // unsigned
inline constexpr std::int64_t kTranspose = 9;      // signed
inline constexpr std::int64_t kPan = 16;           // 0 random, 1..63 left, 64 centre, 65..127 right
inline constexpr std::int64_t kPlayMute = 36;      // bit 7 set: muted
inline constexpr int kMuteBit = 7;
inline constexpr std::int64_t kKeyZoneHigh = 39;   // note shown second
inline constexpr std::int64_t kKeyZoneLow = 40;    // note shown first
inline constexpr std::int64_t kVelocityZoneHigh = 42;  // value shown second
inline constexpr std::int64_t kVelocityZoneLow = 43;   // value shown first

// The mixer fields of a timbre, in one place for the decoder.
inline constexpr MixerLayout kTimbreMixer{kProgramNumber, kProgramBank, kStatusChannel, kVolume, kTranspose, kPan,
                                    kKeyZoneLow, kKeyZoneHigh, kVelocityZoneLow, kVelocityZoneHigh};

// Timbre t (0 to 15) of the combination at combination.
inline std::int64_t TimbreOffset(std::int64_t combination, int t, const ModelConstants& model) {
  return combination + model.timbreBase + std::int64_t{t} * model.timbreSize;
}

}  // namespace patchlore::combination_layout
