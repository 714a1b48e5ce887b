// System Exclusive messages of the Korg M1: the byte values and positions the
// decoder checks, the function codes it treats apart and the fixed total
// lengths of the four dumps. Offsets count from 0; the texts number message
// bytes from 1, so offset k is byte[k + 1].
#pragma once

#include <cstddef>
#include <cstdint>

namespace patchlore::m1_sysex_layout {

inline constexpr std::uint8_t kStartOfExclusive = 0xF0;
inline constexpr std::uint8_t kEndOfExclusive = 0xF7;
inline constexpr std::uint8_t kKorg = 0x42;
inline constexpr std::uint8_t kModelM1 = 0x19;
// "3g": high nibble 3, low nibble the global MIDI channel.
inline constexpr std::uint8_t kChannelByteFirst = 0x30;
inline constexpr std::uint8_t kChannelByteLast = 0x3F;

// From the start of the message.
inline constexpr std::size_t kManufacturer = 1;
inline constexpr std::size_t kChannelByte = 2;
inline constexpr std::size_t kModel = 3;
inline constexpr std::size_t kFunction = 4;
inline constexpr std::size_t kMemoryBank = 5;  // All Program and All Combination dumps
inline constexpr std::size_t kPackedData = 5;  // program and combination dumps, up to and with the $F7
inline constexpr std::size_t kAllDumpPackedData = kMemoryBank + 1;  // All dumps, after the memory bank byte

// Function codes.
inline constexpr std::uint8_t kProgramDump = 0x40;
inline constexpr std::uint8_t kCombinationDump = 0x49;
inline constexpr std::uint8_t kAllProgramDump = 0x4C;
inline constexpr std::uint8_t kAllCombinationDump = 0x4D;

// Total lengths of the dumps, $F0 and $F7 included.
inline constexpr std::size_t kProgramDumpLength = 170;
inline constexpr std::size_t kCombinationDumpLength = 148;
inline constexpr std::size_t kAllProgramDumpLength = 16350;
inline constexpr std::size_t kAllCombinationDumpLength = 14179;

// The highest memory bank byte; 0 is what real All dumps carry.
inline constexpr std::uint8_t kMemoryBankLast = 0x03;

// 7-bit packing: a group is one byte of top bits and up to 7 data bytes.
inline constexpr std::size_t kPackGroup = 8;
// A program or combination dump shows the name its record begins with
// (m1_patch_layout::kName, kNameWidth).

}  // namespace patchlore::m1_sysex_layout
