#include "common/byte_reader.hpp"

#include <algorithm>

namespace patchlore {

namespace {

// The first byte of a field of width bytes at offset, or null when the field
// does not lie wholly inside the image.
const std::uint8_t* FieldAt(Image image, std::int64_t offset, std::int64_t width) {
  const auto size = static_cast<std::int64_t>(image.size());
  if (offset < 0 || offset > size - width) return nullptr;
  return image.data() + offset;
}

}  // namespace

std::optional<std::int8_t> ReadS8(Image image, std::int64_t offset) {
  const auto value = ReadU8(image, offset);
  if (!value) return std::nullopt;
  return static_cast<std::int8_t>(*value);
}

std::optional<std::uint16_t> ReadU16BE(Image image, std::int64_t offset) {
  const std::uint8_t* p = FieldAt(image, offset, 2);
  if (!p) return std::nullopt;
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::optional<std::uint16_t> ReadU16LE(Image image, std::int64_t offset) {
  const std::uint8_t* p = FieldAt(image, offset, 2);
  if (!p) return std::nullopt;
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::string_view ReadClippedBytes(Image image, std::int64_t start, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(image.size());
  if (count < 1 || start > size - 1) return {};
  const std::int64_t from = std::max<std::int64_t>(start, 0);
  const std::int64_t end = std::min(start + count, size);  // one past the last
  if (end <= from) return {};
  return {reinterpret_cast<const char*>(image.data() + from), static_cast<std::size_t>(end - from)};
}

std::int32_t ReadClippedS32BE(Image image, std::int64_t offset) {
  if (const auto whole = ReadS32BE(image, offset)) return *whole;
  return BigEndianValue(ReadClippedBytes(image, offset, 4));
}

}  // namespace patchlore
