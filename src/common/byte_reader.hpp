// Bounds-checked reads of numbers and byte runs at an offset of an image.
//
// A number is read whole or not at all: a field that does not lie wholly
// inside the image has no value. The byte order is in each reader's name.
// The few places that take what is left of a field cut by the end of the
// image say so with a "Clipped" reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/bytes.hpp"

namespace patchlore {

// The readers used in loops over records and chunks are inline.
inline std::optional<std::uint8_t> ReadU8(Image image, std::int64_t offset) {
  if (offset < 0 || offset >= static_cast<std::int64_t>(image.size())) return std::nullopt;
  return image[static_cast<std::size_t>(offset)];
}
std::optional<std::int8_t> ReadS8(Image image, std::int64_t offset);
std::optional<std::uint16_t> ReadU16BE(Image image, std::int64_t offset);
std::optional<std::uint16_t> ReadU16LE(Image image, std::int64_t offset);
inline std::optional<std::uint32_t> ReadU32BE(Image image, std::int64_t offset) {
  if (offset < 0 || offset > static_cast<std::int64_t>(image.size()) - 4) return std::nullopt;
  const std::uint8_t* p = image.data() + offset;
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}
inline std::optional<std::int32_t> ReadS32BE(Image image, std::int64_t offset) {
  const auto value = ReadU32BE(image, offset);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

// The bytes at start .. start + count - 1 as a view into the image, clipped
// like BytesText: a negative start counts as 0, nothing past the end.
std::string_view ReadClippedBytes(Image image, std::int64_t start, std::int64_t count);

// The signed 32-bit big-endian number at offset; when fewer than four bytes
// are left, the bytes there make the number on their own (two bytes 01 2C
// give 300), and none give 0.
std::int32_t ReadClippedS32BE(Image image, std::int64_t offset);

}  // namespace patchlore
