// Builds Standard MIDI Files: a header chunk and track chunks of events, each
// event its delta time and bytes. Events are written as given, so a test can
// use running status or write damaged data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/chunk_tree.hpp"

namespace patchlore::test {

// value as a variable-length number: 7 bits a byte, the top bit set on all
// but the last.
Bytes VariableLength(std::uint32_t value);

class MidiFileBuilder {
 public:
  explicit MidiFileBuilder(int format = 1) : format_(format) {}

  // Starts the next track; the events after it go into it.
  MidiFileBuilder& track();
  // Any bytes after a delta time (a channel message, or running-status data).
  MidiFileBuilder& event(std::uint32_t delta, const Bytes& bytes);
  // F0 <length> data: data usually end in $F7.
  MidiFileBuilder& sysex(std::uint32_t delta, const Bytes& data);
  // F7 <length> data: a continuation, or an escape.
  MidiFileBuilder& escape(std::uint32_t delta, const Bytes& data);
  MidiFileBuilder& meta(std::uint32_t delta, std::uint8_t type, const Bytes& data);
  MidiFileBuilder& endOfTrack();
  // A chunk of another kind after the tracks so far.
  MidiFileBuilder& chunk(const std::string& id, const Bytes& data);
  // The track count the header announces; the number of tracks by default.
  MidiFileBuilder& announcedTracks(int count);

  Bytes build() const;

 private:
  struct Chunk {
    std::string id;
    Bytes data;
  };
  MidiFileBuilder& append(std::uint32_t delta, std::uint8_t status, const Bytes& data);

  int format_;
  int announced_ = -1;
  std::vector<Chunk> chunks_;
};

}  // namespace patchlore::test
