// The INI2 chunk: one record per bank, found by its 8-byte key.
#pragma once

#include <cstdint>

namespace patchlore::ini2_layout {

inline constexpr std::int64_t kKeyWidth = 8;        // the bank's chunk ID, then its type code
inline constexpr std::int64_t kRecordId = 0;        // the chunk ID part of the key
inline constexpr std::int64_t kChecksumCopy = 54;   // a copy of the bank's checksum byte

}  // namespace patchlore::ini2_layout
