// A program record decoded once into named fields. A field whose bytes lie
// outside the image has no value, so a truncated record gives fewer facts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/bytes.hpp"
#include "formats/program_layout.hpp"

namespace patchlore {

// One velocity zone of an oscillator.
struct ZoneFacts {
  std::optional<std::uint8_t> sampleType;  // 0 off, 1 multisample, 2 wave sequence
  std::optional<std::uint8_t> memory;      // memory type of a multisample
  std::optional<int> number;               // multisample or wave sequence number
  std::optional<std::uint8_t> level;
};

struct OscillatorFacts {
  std::optional<std::uint8_t> keyZoneLow;   // note number
  std::optional<std::uint8_t> keyZoneHigh;  // note number
  std::array<ZoneFacts, program_layout::kZoneCount> zones;
  std::optional<std::int8_t> transpose;
};

struct ExiFacts {
  std::optional<std::uint8_t> type;       // engine type, 0 off
  std::optional<std::int8_t> transpose;   // read on a KRONOS only
};

struct ProgramFacts {
  std::int64_t offset = 0;       // where the record starts in the image
  std::string_view name;         // the name bytes as stored, clipped to the image
  // Bytes the display shows raw with their place in the record.
  std::string_view rawRun;
  std::int64_t rawRunField = 0;
  std::int64_t lfoByteField = 0;
  std::int64_t rawByteField = 0;
  std::optional<std::uint8_t> oscMode;   // 0 Single, 1 Double, 2 Drums, 5 Double Drums ...
  std::optional<bool> hold;
  std::optional<bool> mono;
  std::optional<std::uint8_t> detune;
  std::optional<std::uint8_t> holdNoteLow;
  std::optional<std::uint8_t> holdNoteHigh;
  std::array<OscillatorFacts, program_layout::kOscillators> oscillators;
  std::array<ExiFacts, 2> exi;
  bool exiTransposesKnown = true;  // false on an OASYS
  std::optional<std::uint8_t> lfoByte;  // low 4 bits name an LFO
  std::optional<std::uint8_t> rawByte;
};

ProgramFacts DecodeProgram(Image image, std::int64_t offset, const ProgramLayout& layout);

}  // namespace patchlore
