// The viewer's own text helpers: note names, signed numbers,
// the first word of a caption, and small text replacements.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace patchlore {

// "C-1" for 0, "C4" for 60, "G9" for 127.
std::string NoteName(int note);
// "+05", "-12", "+00".
std::string SignedZeroPad(std::int64_t value, int width);
// The first occurrence of pattern replaced; the text unchanged without one.
std::string ReplaceFirst(std::string_view pattern, std::string_view replacement, std::string_view text);
// Every character of set at position p replaced by the character of
// replacement at p (or its last one); an empty set means the 32 control
// characters; an empty replacement leaves the text unchanged.
std::string CharTranslate(std::string_view set, std::string_view replacement, std::string_view text);
// "Int-A" gives "I-A", "Usr-B" gives "U-B"; other names stay.
std::string BankShortName(std::string_view name);
// Upper-cased copy (ASCII letters) for comparisons that ignore case.
std::string UpperCase(std::string_view text);

}  // namespace patchlore
