// Texts inside the program are 8-bit, one byte per character, in the
// Windows-1251 code page. These convert them at the edges (screen, terminal,
// file system names).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace patchlore {

// Unicode code point of one Windows-1251 byte (0x98, unassigned, maps to U+FFFD).
char32_t Cp1251ToCodePoint(unsigned char byte);

std::string Cp1251ToUtf8(std::string_view text);
// The text as the screen shows it, in UTF-8: control bytes as a middle dot,
// because a NUL in a file header would otherwise end the line.
std::string VisibleUtf8(std::string_view text);

// Windows-1251 has a byte for the code point.
bool Cp1251Holds(char32_t codePoint);

// One character of a UTF-8 text: its code point and its bytes.
struct Utf8Character {
  char32_t codePoint = 0;
  std::size_t length = 0;
};

// The character whose bytes begin at text[at]; nothing when they are not
// UTF-8 (a stray byte, a cut sequence) or at is past the end.
std::optional<Utf8Character> DecodeUtf8(std::string_view text, std::size_t at);

// Characters without a Windows-1251 byte (and malformed UTF-8) become "?".
std::string Utf8ToCp1251(std::string_view text);

}  // namespace patchlore
