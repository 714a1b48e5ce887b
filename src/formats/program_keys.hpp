// Program keys: a bank name followed by a three-digit number ("U-A012",
// "GM001"), the way every list names a program. Programs are referred to by
// a one-byte bank number and a one-byte program number (a combination's
// timbre, a set list slot, a song track); these routines turn such a
// reference, or a program's own place in its bank, into its key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/banks.hpp"

namespace patchlore {

// The bank name of a one-byte bank number: 0x11 gives "U-A", 0x06 "GM", a
// number without a name its two hex digits.
const std::string& BankNameOfByte(std::uint8_t bankNumber);

// The key of a timbre's or slot's reference, e.g. "U-A007"; a byte the image
// does not hold leaves its part of the key empty.
std::string ProgramReferenceKey(std::optional<std::uint8_t> bankNumber, std::optional<std::uint8_t> programNumber);

// True for the bank numbers of the GM bank, its variations g(1) to g(9) and
// the drums g(d).
bool IsGmBank(int bankNumber);
// The key of the program a song track plays: the programs of the GM banks
// are numbered from 1 ("GM001"), the others from 0 ("I-A000").
std::string TrackProgramKey(std::uint8_t bankNumber, std::uint8_t programNumber);

// The name by which the programs of a program bank are keyed: the bank name
// of the bank number of its type code ("00020000" gives "U-A").
std::string ProgramBankKeyName(const BankHeader& bank);

// "U-A" and 12 give "U-A012".
std::string PatchKey(std::string_view bankName, std::int64_t number);

}  // namespace patchlore
