// Value-to-name tables of the displays: constant arrays of {code, name}. A
// code that a table does not name shows as its own hexadecimal digits.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace patchlore {

struct CodeName {
  int code;
  std::string_view name;
};

// Appends the name of code, or its hexadecimal text of digits digits.
void AppendName(std::string& out, std::span<const CodeName> table, int code, int digits);

// Program tables: the oscillator mode by the low 4 bits of its byte, the
// hold state, the EXi engine type, the LFO by the low 4 bits of its byte,
// the sample type of a velocity zone and the memory type of a multisample.
extern const std::span<const CodeName> kOscModeNames;
extern const std::span<const CodeName> kHoldNames;
extern const std::span<const CodeName> kVoiceModeNames;  // 1 mono, 0 poly
extern const std::span<const CodeName> kExiNames;
extern const std::span<const CodeName> kLfoNames;
extern const std::span<const CodeName> kSampleTypeNames;
extern const std::span<const CodeName> kMemoryNames;

// Codes the program display tests by value.
inline constexpr int kExiOff = 0x00;
inline constexpr int kSampleTypeOff = 0x00;
inline constexpr int kSampleTypeMultisample = 0x01;
inline constexpr int kOscModeDouble = 1;
inline constexpr int kOscModeDoubleDrums = 5;

}  // namespace patchlore
