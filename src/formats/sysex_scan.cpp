#include "formats/sysex_scan.hpp"

#include <cstring>

namespace patchlore {

namespace {

constexpr unsigned char kStart = 0xF0;
constexpr unsigned char kEnd = 0xF7;

const std::uint8_t* Find(const std::uint8_t* from, const std::uint8_t* end, unsigned char byte) {
  return static_cast<const std::uint8_t*>(std::memchr(from, byte, static_cast<std::size_t>(end - from)));
}

// Calls found(offset, length) for each message in file order.
template <class Found>
void ForEachMessage(Image image, Found found) {
  const std::uint8_t* const base = image.data();
  const std::uint8_t* const end = base + image.size();
  const std::uint8_t* p = base;
  while (p < end) {
    const std::uint8_t* start = Find(p, end, kStart);
    if (start == nullptr) break;
    // Any byte up to the next $F7, another $F0 included, belongs to the message.
    const std::uint8_t* stop = Find(start + 1, end, kEnd);
    if (stop == nullptr) break;  // an unterminated tail gives nothing
    found(start - base, stop - start + 1);
    p = stop + 1;
  }
}

}  // namespace

std::int64_t SysexCount(Image image) {
  std::int64_t count = 0;
  ForEachMessage(image, [&count](std::ptrdiff_t, std::ptrdiff_t) { ++count; });
  return count;
}

Image SysexMessageAt(Image image, std::int64_t offset) {
  if (offset < 0 || offset >= static_cast<std::int64_t>(image.size())) return {};
  const std::uint8_t* const start = image.data() + offset;
  if (*start != kStart) return {};
  const std::uint8_t* const stop = Find(start + 1, image.data() + image.size(), kEnd);
  if (stop == nullptr) return {};
  return image.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(stop - start + 1));
}

SysexScan::SysexScan(Image image) : image_(image) {
  ForEachMessage(image, [this](std::ptrdiff_t offset, std::ptrdiff_t) { offsets_.push_back(offset); });
}

SysexMessage SysexScan::message(std::int64_t k) const {
  const std::int64_t offset = offsets_.at(static_cast<std::size_t>(k));
  const std::uint8_t* const start = image_.data() + offset;
  const std::uint8_t* const stop = Find(start + 1, image_.data() + image_.size(), kEnd);
  return {offset, stop - start + 1};  // the scan found this $F7
}

Image SysexScan::bytes(std::int64_t k) const {
  const SysexMessage m = message(k);
  return image_.subspan(static_cast<std::size_t>(m.offset), static_cast<std::size_t>(m.length));
}

}  // namespace patchlore
