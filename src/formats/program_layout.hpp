// The program record: where each field the program display reads lies,
// from the start of the program. Fields from the mode byte on lie
// ModelConstants::oasysShift bytes earlier in an OASYS file, except where a
// name says the field does not move.
#pragma once

#include <cstdint>

#include "formats/model_layout.hpp"

namespace patchlore::program_layout {

inline constexpr std::int64_t kName = 0;             // program name, characters
inline constexpr std::int64_t kNameWidth = 24;
inline constexpr std::int64_t kModeByte = 2558;      // low 4 bits oscillator mode, bit 6 hold; moves
inline constexpr int kHoldBit = 6;
inline constexpr std::int64_t kVoiceModeByteUnshifted = 2558;  // bit 7 mono; does not move on an OASYS
inline constexpr int kMonoBit = 7;
inline constexpr std::int64_t kRawRun = 2560;        // eight bytes shown raw beside the offsets
inline constexpr std::int64_t kRawRunWidth = 8;
inline constexpr std::int64_t kDetune = 2561;        // unsigned
inline constexpr std::int64_t kHoldNoteLow = 2563;   // note number shown first after the hold state
inline constexpr std::int64_t kHoldNoteHigh = 2564;  // note number shown second
inline constexpr std::int64_t kKeyZones = 2684;      // OSC1 low, OSC1 high, OSC2 low, OSC2 high notes
inline constexpr std::int64_t kFirstZone = 2774;     // sample type of OSC1 velocity zone 0
inline constexpr int kZoneCount = 8;                 // velocity zones per oscillator
inline constexpr std::int64_t kZoneMemory = 1;       // zone data: memory type
inline constexpr std::int64_t kZoneNumberLow = 2;    // zone data: multisample or sequence number, low byte
inline constexpr std::int64_t kZoneNumberHigh = 3;   // zone data: its high byte
inline constexpr std::int64_t kZoneLevel = 4;        // zone data: level
inline constexpr std::int64_t kTransposeAfterZones = 2837;  // OSC1 transpose lies this + 8 zones on
inline constexpr std::int64_t kExi1Type = 2857;      // EXi1 engine type; moves
inline constexpr std::int64_t kOasysExiAdjust = -34; // the OASYS EXi1 type lies this much further back
inline constexpr std::int64_t kExi1TransposeUnshifted = 2858;  // signed; KRONOS only, does not move
inline constexpr std::int64_t kLfoByteUnshifted = 3353;        // low 4 bits name an LFO; does not move
inline constexpr std::int64_t kRawByteUnshifted = 3354;        // shown raw; does not move
inline constexpr int kOscillators = 2;

}  // namespace patchlore::program_layout

namespace patchlore {

// Where the fields of one file's programs lie, with its model and version
// constants applied.
struct ProgramLayout {
  std::int64_t shift = 0;          // ModelConstants::oasysShift
  std::int64_t exi2Delta = 0;      // ModelConstants::exi2Delta
  std::int64_t osc2Delta = 0;      // VersionConstants::osc2Delta
  std::int64_t zoneSize = 0;       // VersionConstants::zoneSize
  std::int64_t zoneDataShift = 0;  // VersionConstants::zoneDataShift
  bool oasys = false;              // EXi transposes are not read on an OASYS

  std::int64_t modeByte() const { return program_layout::kModeByte + shift; }
  std::int64_t rawRun() const { return program_layout::kRawRun + shift; }
  std::int64_t firstZone() const { return program_layout::kFirstZone + shift; }
  std::int64_t osc1Transpose() const {
    return program_layout::kTransposeAfterZones + shift + program_layout::kZoneCount * zoneSize;
  }
  std::int64_t exi1Type() const {
    return program_layout::kExi1Type + shift + (oasys ? program_layout::kOasysExiAdjust : 0);
  }
};

inline ProgramLayout ProgramLayoutFor(const ModelConstants& model, const VersionConstants& version,
                                      bool oasys) {
  return {model.oasysShift, model.exi2Delta, version.osc2Delta, version.zoneSize, version.zoneDataShift,
          oasys};
}

}  // namespace patchlore
