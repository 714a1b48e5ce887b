// The SNG preamble, the song directory and the song chunk with its 16 tracks:
// where each field lies. The track parameter records lie
// ModelConstants::trackBase bytes into the song chunk, each
// ModelConstants::timbreSize bytes long.
#pragma once

#include <cstdint>

#include "formats/mixer_layout.hpp"
#include "formats/model_layout.hpp"

namespace patchlore::song_layout {

// The file preamble, from the start of the file.
inline constexpr std::int64_t kSng1Pointer = 32;       // 32-bit; the "SNG1" chunk lies this + 36 on
inline constexpr std::int64_t kSng1PointerBase = 36;
inline constexpr std::int64_t kSongCount = 43;         // one byte, 0 to 255
inline constexpr std::int64_t kSongNumberTable = 80;   // one entry per song
inline constexpr std::int64_t kSongNumberEntry = 8;    // bytes per entry
inline constexpr std::int64_t kSongNumberInEntry = 3;  // the number's byte in its entry

// The song directory, from the "SNG1" chunk.
inline constexpr std::int64_t kDirectoryName = 36;     // name of song 0
inline constexpr std::int64_t kDirectoryEntry = 64;    // bytes per song
inline constexpr std::int64_t kNameWidth = 24;

// The song chunk "SDT1", from its start.
inline constexpr std::int64_t kHeaderChunkSize = 16;   // 32-bit size S of the chunk at +12
inline constexpr std::int64_t kSongNumber = 35;        // one byte, the song label "S" + number
inline constexpr std::int64_t kSongNameAfterHeader = 48;  // the song name lies S + this on
inline constexpr std::int64_t kTrackRecords = 52;      // track record 0: name and state
inline constexpr std::int64_t kTrackRecordSize = 36;
inline constexpr int kTrackCount = 16;

// Offsets in a track record.
inline constexpr std::int64_t kTrackName = 0;
inline constexpr std::int64_t kTrackNameWidth = 24;
inline constexpr std::int64_t kTrackState = 25;        // bit 5 set: muted
inline constexpr int kMuteBit = 5;

// Offsets in a track parameter record.
inline constexpr std::int64_t kProgramNumber = 0;      // 0 to 127
inline constexpr std::int64_t kProgramBank = 1;        // bank number, a key of the bank number table
inline constexpr std::int64_t kStatusChannel = 2;      // high 4 bits status, low 4 bits MIDI channel - 1
inline constexpr std::int64_t kVolume = 5;             // unsigned
inline constexpr std::int64_t kTranspose = 7;          // signed
inline constexpr std::int64_t kPan = 14;               // 0 random, 1..63 left, 64 centre, 65..127 right
inline constexpr std::int64_t kKeyZoneHigh = 37;       // note shown second
inline constexpr std::int64_t kKeyZoneLow = 38;        // note shown first
inline constexpr std::int64_t kVelocityZoneHigh = 40;  // value shown second
inline constexpr std::int64_t kVelocityZoneLow = 41;   // value shown first

// The mixer fields of a track parameter record, in one place for the decoder.
inline constexpr MixerLayout kTrackMixer{kProgramNumber, kProgramBank, kStatusChannel, kVolume, kTranspose, kPan,
                                    kKeyZoneLow, kKeyZoneHigh, kVelocityZoneLow, kVelocityZoneHigh};

// Track record k (0 to 15) of the song chunk at song: name and state.
inline std::int64_t TrackRecordOffset(std::int64_t song, int k) {
  return song + kTrackRecords + std::int64_t{k} * kTrackRecordSize;
}

// The parameters of track k of the song chunk at song.
inline std::int64_t TrackParametersOffset(std::int64_t song, int k, const ModelConstants& model) {
  return song + model.trackBase + std::int64_t{k} * model.timbreSize;
}

}  // namespace patchlore::song_layout
