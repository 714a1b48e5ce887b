// Collects the System Exclusive messages of a MIDI byte stream as it
// arrives in pieces: only $F0 .. $F7 messages are kept; channel messages
// (running status included), system common messages and realtime bytes
// (clock, active sensing) are dropped. A realtime byte may come inside a
// message and is left out of it; any other status byte ends an open message
// unfinished, and it is dropped.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace patchlore {

class SysexCollector {
 public:
  void feed(std::span<const std::uint8_t> bytes);

  // Complete messages so far, back to back as a ".syx" file holds them.
  const std::vector<std::uint8_t>& messages() const { return messages_; }
  std::int64_t count() const { return count_; }
  // The bytes of the complete messages and of the one still arriving.
  std::int64_t bytes() const {
    return static_cast<std::int64_t>(messages_.size() + open_.size());
  }

 private:
  std::vector<std::uint8_t> messages_;
  std::vector<std::uint8_t> open_;  // the message arriving, from its $F0
  std::int64_t count_ = 0;
};

}  // namespace patchlore
