// MIDI 7-bit packing as the Korg dumps use it: groups of 8 bytes, the first
// carrying bit 7 of each of the up to 7 bytes that follow it.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "common/bytes.hpp"

namespace patchlore {

// The 8-bit bytes of packed, group by group; the last group may be shorter
// and a group of one byte gives nothing. A byte whose bit is set in its
// group's first byte gives (byte & $7F) | $80, so any input stays a byte.
// Stops once `most` bytes are out.
std::string Unpack7Bit(Image packed, std::size_t most = std::numeric_limits<std::size_t>::max());

}  // namespace patchlore
