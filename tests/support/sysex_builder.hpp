// Builds synthetic Korg M1 System Exclusive messages: the Korg header on
// global channel 1, a function code, the body and the closing $F7.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/chunk_tree.hpp"

namespace patchlore::test {

// F0 42 30 19, the function code, body, F7.
Bytes M1Message(std::uint8_t function, const Bytes& body = {});

// The same, with the body padded with $00 so that the message is length
// bytes long (F0 and F7 included).
Bytes M1Dump(std::uint8_t function, const Bytes& body, std::size_t length);

// 7-bit packing of data: groups of a top-bits byte and up to 7 bytes of
// their low 7 bits.
Bytes Pack7Bit(std::string_view data);

}  // namespace patchlore::test
