// Byte access and number formatting: the one implementation every reader uses.
//
// Images are read through these routines only. Every read is clipped to the
// image, so a size field that points past the end yields a shorter string and
// never a read outside the buffer.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace patchlore {

using Image = std::span<const std::uint8_t>;
using MutableImage = std::span<std::uint8_t>;

// The bytes at start .. start + count - 1, clipped to the image; a negative
// start counts as 0. Empty when start lies past the end or count < 1.
std::string BytesText(Image image, std::int64_t start, std::int64_t count);

// Big-endian value of the first min(length, 4) bytes; the first byte is the
// most significant. An empty string gives 0. The result is the stored 32-bit
// field taken as signed, as offset arithmetic uses it.
std::int32_t BigEndianValue(std::string_view bytes);

// The signed 32-bit big-endian number at offset, clipped like BytesText: the
// same as ReadClippedS32BE (byte_reader.hpp), which new readers call.
std::int32_t NumberAt(Image image, std::int64_t offset);

// Absolute offset of the first occurrence of pattern wholly inside the image,
// or -1.
std::int64_t FindText(std::string_view pattern, Image image);

// Two uppercase hexadecimal digits per byte, no separators.
std::string HexText(std::string_view bytes);

// Eight "0"/"1" characters per byte, most significant bit first.
std::string BitsText(std::string_view bytes);

// Decimal text of n with "0" put in front up to width characters.
std::string ZeroPad(std::int64_t n, int width);

// Uppercase hexadecimal of value padded with "0" to at least width digits.
// Negative values show their 32-bit two's complement, as the stored fields do.
std::string HexPad(std::int64_t value, int width);

// Eight-digit hexadecimal text of offsets, sizes and codes.
inline std::string Hex8(std::int64_t value) { return HexPad(value, 8); }

// Looks key up in a table text of entries " key=value" ended by the table's
// separator (its first character). Returns the key itself when it is absent
// or its value is empty. A key is found only where a blank stands before it.
std::string TableLookup(std::string_view table, std::string_view section,
                        std::string_view key);

// The parts joined in one string. Texts are built with this rather than with
// "literal" + std::string, which GCC 12 at -O2 and above warns about
// (-Wrestrict) inside libstdc++ although the code is correct.
std::string Concat(std::initializer_list<std::string_view> parts);

// The text with trailing blanks and control characters (bytes up to $20)
// removed.
std::string TrimRight(std::string_view text);
// The text with blanks and control characters removed at both ends.
std::string Trim(std::string_view text);

// A name or comment taken from a file as the text it stands for. The
// instrument pads names with NUL bytes, which are never part of the text:
// trailing NULs are dropped and a NUL inside shows as a blank. Every other
// byte stays, so checksums, comparisons and hashes go on using the stored
// bytes while every display and export shows this.
std::string NameText(std::string_view stored);

// Folder part of a path (ending with its separator) and the name after it.
std::string FolderOf(std::string_view path);
std::string NameOf(std::string_view path);

}  // namespace patchlore
