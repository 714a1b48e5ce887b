// The layout of a Standard MIDI File: a header chunk, then track chunks. Each
// chunk is a four-character ID and a big-endian 32-bit length, followed by
// that many bytes of data. A track's data is a run of events, each a delta
// time (a variable-length number) and a status byte (or the running status)
// with its data.
#pragma once

#include <cstdint>
#include <string_view>

namespace patchlore::midi_file_layout {

// From the start of a chunk.
inline constexpr std::int64_t kChunkId = 0;
inline constexpr std::int64_t kChunkIdSize = 4;
inline constexpr std::int64_t kChunkLength = 4;  // big-endian 32 bits: the bytes after the header
inline constexpr std::int64_t kChunkHeaderSize = 8;

inline constexpr std::string_view kHeaderChunkId = "MThd";
inline constexpr std::string_view kTrackChunkId = "MTrk";

// From the start of the header chunk's data; a longer header keeps these first.
inline constexpr std::int64_t kFormat = 0;      // big-endian 16 bits: 0, 1 or 2
inline constexpr std::int64_t kTrackCount = 2;  // big-endian 16 bits
// At 4, the division (the time unit of delta times), which finding SysEx
// messages does not need.
inline constexpr std::int64_t kShortestHeaderData = 6;
inline constexpr int kLastFormat = 2;

// Variable-length numbers: 7 bits a byte, most significant first, the top bit
// set on every byte but the last; never longer than four bytes.
inline constexpr int kLongestVariableLength = 4;
inline constexpr std::uint8_t kMoreBytesFlag = 0x80;
inline constexpr std::uint8_t kSevenBits = 0x7F;

// Status bytes. Below $80 a byte is data, and the running status applies.
inline constexpr std::uint8_t kFirstStatus = 0x80;
inline constexpr std::uint8_t kFirstSystemStatus = 0xF0;  // $80..$EF are channel messages
inline constexpr std::uint8_t kChannelStatusKind = 0xF0;  // status & this: the kind of channel message
// Program change and channel pressure carry one data byte; the other channel
// messages carry two.
inline constexpr std::uint8_t kProgramChange = 0xC0;
inline constexpr std::uint8_t kChannelPressure = 0xD0;

// F0 <length> <data>: a System Exclusive message begins; its data end in $F7
// unless F7 events continue it.
inline constexpr std::uint8_t kSysexEvent = 0xF0;
// F7 <length> <data>: the next part of an unfinished message, or else bytes
// to be sent as they are (an "escape").
inline constexpr std::uint8_t kEscapeEvent = 0xF7;
inline constexpr std::uint8_t kEndOfExclusive = 0xF7;
// FF <type> <length> <data>.
inline constexpr std::uint8_t kMetaEvent = 0xFF;
inline constexpr std::uint8_t kEndOfTrackMeta = 0x2F;

}  // namespace patchlore::midi_file_layout
