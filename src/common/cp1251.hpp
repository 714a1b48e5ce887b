// Texts inside the program are 8-bit, one byte per character, in the
// Windows-1251 code page. These convert them at the edges (screen, terminal,
// file system names).
#pragma once

#include <string>
#include <string_view>

namespace patchlore {

// Unicode code point of one Windows-1251 byte (0x98, unassigned, maps to U+FFFD).
char32_t Cp1251ToCodePoint(unsigned char byte);

std::string Cp1251ToUtf8(std::string_view text);

// Characters without a Windows-1251 byte (and malformed UTF-8) become "?".
std::string Utf8ToCp1251(std::string_view text);

}  // namespace patchlore
