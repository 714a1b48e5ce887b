// Builds synthetic Korg M1 System Exclusive messages: the Korg header on
// global channel 1, a function code, the body and the closing $F7.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// M1 records of recordSize bytes, one per name: the name (10 bytes, padded
// with blanks) and then bytes that differ from record to record, half of
// them with bit 7 set.
std::string M1Records(const std::vector<std::string>& names, std::size_t recordSize);

// "Prog 00" ... "Prog 99" (or another prefix): the names of a full All dump.
std::vector<std::string> M1Names(std::string_view prefix);

// A program ($40) or combination ($49) dump of one record of its size, or
// an All Program ($4C) or All Combination ($4D) dump of 100, each of the
// dump's fixed length; the All dumps carry memory bank byte 0.
Bytes M1PatchDump(std::uint8_t function, const std::vector<std::string>& names);

}  // namespace patchlore::test
