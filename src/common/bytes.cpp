#include "common/bytes.hpp"

#include "common/byte_reader.hpp"

#include <algorithm>
#include <string.h>

#include <cstring>


namespace patchlore {

std::string BytesText(Image image, std::int64_t start, std::int64_t count) {
  return std::string(ReadClippedBytes(image, start, count));
}

std::int32_t BigEndianValue(std::string_view bytes) {
  std::uint32_t value = 0;
  const std::size_t used = std::min<std::size_t>(bytes.size(), 4);
  for (std::size_t i = 0; i < used; ++i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
  return static_cast<std::int32_t>(value);
}

std::int32_t NumberAt(Image image, std::int64_t offset) { return ReadClippedS32BE(image, offset); }

std::int64_t FindText(std::string_view pattern, Image image) {
  if (pattern.empty() || pattern.size() > image.size()) return -1;
  // memmem scans a whole image at memory speed, whatever bytes it holds
  const void* found = ::memmem(image.data(), image.size(), pattern.data(), pattern.size());
  return found == nullptr ? -1 : static_cast<const std::uint8_t*>(found) - image.data();
}

std::string HexText(std::string_view bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    text += digits[b >> 4];
    text += digits[b & 0x0F];
  }
  return text;
}

std::string BitsText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 8);
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    for (int bit = 7; bit >= 0; --bit) text += ((b >> bit) & 1) ? '1' : '0';
  }
  return text;
}

std::string ZeroPad(std::int64_t n, int width) {
  std::string text = std::to_string(n);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  return text;
}

std::string HexPad(std::int64_t value, int width) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::uint64_t v = value < 0 ? static_cast<std::uint32_t>(value) : static_cast<std::uint64_t>(value);
  std::string text;
  do {
    text.insert(text.begin(), digits[v & 0x0F]);
    v >>= 4;
  } while (v != 0);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  return text;
}

std::string TableLookup(std::string_view table, std::string_view section,
                        std::string_view key) {
  if (table.empty()) return std::string(key);
  char separator = table.front();
  std::string_view working = table;
  if (!section.empty()) {
    const std::string head = Concat({std::string_view(&separator, 1), section, " "});
    const auto at = table.find(head);
    if (at == std::string_view::npos) {
      working = {};
    } else {
      working = table.substr(at + head.size());
      working = working.substr(0, working.find(separator));
    }
  }
  if (!working.empty()) separator = working.front();
  const std::string needle = Concat({" ", key, "="});
  const auto at = working.find(needle);
  std::string_view value;
  if (at != std::string_view::npos) {
    value = working.substr(at + needle.size());
    value = value.substr(0, value.find(separator));
  }
  return value.empty() ? std::string(key) : std::string(value);
}

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view part : parts) text += part;
  return text;
}

std::string TrimRight(std::string_view text) {
  auto end = text.size();
  while (end > 0 && static_cast<std::uint8_t>(text[end - 1]) <= 0x20) --end;
  return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && static_cast<std::uint8_t>(text[begin]) <= 0x20) ++begin;
  return TrimRight(text.substr(begin));
}

std::string NameText(std::string_view stored) {
  std::string text(stored.substr(0, stored.find_last_not_of('\0') + 1));
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

std::string FolderOf(std::string_view path) {
  const auto at = path.find_last_of('/');
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string NameOf(std::string_view path) {
  const auto at = path.find_last_of('/');
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

}  // namespace patchlore
