// The patches inside Korg M1 program and combination dumps, once their 7-bit
// packed data is unpacked: records of a fixed size, one after another, each
// beginning with its name. Offsets count from 0.
#pragma once

#include <cstddef>

namespace patchlore::m1_patch_layout {

inline constexpr std::size_t kProgramSize = 143;
inline constexpr std::size_t kCombinationSize = 124;
// An All Program or All Combination dump holds 100 records, numbered 00 to 99.
inline constexpr std::size_t kAllDumpCount = 100;

// From the start of a record.
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNameWidth = 10;
inline constexpr std::size_t kNameEnd = kName + kNameWidth;

// Where the packed data begins in the message is the message's layout
// (m1_sysex_layout::kPackedData, kAllDumpPackedData).

}  // namespace patchlore::m1_patch_layout
