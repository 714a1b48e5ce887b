// The bank chunk header: where each field of the 24 bytes before the first
// patch lies. All numbers are big-endian.
#pragma once

#include <cstdint>

namespace patchlore::bank_layout {

inline constexpr std::int64_t kId = 0;               // chunk ID, e.g. "PBK1"
inline constexpr std::int64_t kIdWidth = 4;
inline constexpr std::int64_t kChunkSize = 4;        // bytes after the 12-byte chunk header
inline constexpr std::int64_t kChecksum = 11;        // one-byte checksum of the bank
inline constexpr std::int64_t kPatchCountField = 12; // 32-bit patch count
inline constexpr std::int64_t kPatchCountByte = 15;  // its last byte: the count kind banks use
inline constexpr std::int64_t kPatchSizeField = 16;  // 32-bit bytes per patch
inline constexpr std::int64_t kPatchSizeLow = 18;    // its last two bytes: the size kind banks use
inline constexpr std::int64_t kTypeCode = 20;        // 32-bit code naming the bank ("I-A", "U-A" ...)
inline constexpr std::int64_t kTypeCodeWidth = 4;
inline constexpr std::int64_t kHeaderSize = 24;      // the first patch follows the header

// From the start of a patch: every kind of patch begins with its name.
inline constexpr std::int64_t kPatchName = 0;
inline constexpr std::int64_t kPatchNameWidth = 24;

}  // namespace patchlore::bank_layout
