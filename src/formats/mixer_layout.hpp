// The mixer fields that a combination's timbre and a song's track parameter
// record both hold, each at its own offsets in its record.
#pragma once

#include <cstdint>

namespace patchlore {

// The status is the high 4 bits of the status-and-channel byte; 0 is off.
inline constexpr int kStatusShift = 4;
inline constexpr int kStatusOff = 0;

struct MixerLayout {
  std::int64_t programNumber;      // 0 to 127
  std::int64_t programBank;        // bank number, a key of the bank number table
  std::int64_t statusChannel;      // high 4 bits status, low 4 bits MIDI channel - 1
  std::int64_t volume;             // unsigned
  std::int64_t transpose;          // signed
  std::int64_t pan;                // 0 random, 1..63 left, 64 centre, 65..127 right
  std::int64_t keyZoneFirst;       // the note shown first
  std::int64_t keyZoneSecond;      // the note shown second
  std::int64_t velocityZoneFirst;  // the value shown first
  std::int64_t velocityZoneSecond; // the value shown second
};

}  // namespace patchlore
