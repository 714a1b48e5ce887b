// Splitting a byte image into MIDI System Exclusive messages. A message runs
// from an $F0 byte to the next $F7 byte, both included; bytes outside a
// message are skipped, an $F0 inside an open message is part of it, and an
// $F0 with no later $F7 gives nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "common/bytes.hpp"

namespace patchlore {

struct SysexMessage {
  std::int64_t offset;  // of its $F0 in the image
  std::int64_t length;  // $F0 to $F7 inclusive
};

// The number of messages of an image, found as SysexScan finds them but
// keeping nothing: for a loader that only needs the count.
std::int64_t SysexCount(Image image);

// The messages of an image in file order. Only positions are kept, never
// bytes: eight bytes a message, since no loadable file reaches 4 GiB.
class SysexScan {
 public:
  explicit SysexScan(Image image);

  std::int64_t count() const { return static_cast<std::int64_t>(offsets_.size()); }
  bool empty() const { return offsets_.empty(); }
  SysexMessage message(std::int64_t k) const;
  // The bytes of message k, a view into the scanned image.
  Image bytes(Image image, std::int64_t k) const;

 private:
  std::vector<std::uint32_t> offsets_;
  std::vector<std::uint32_t> lengths_;
};

}  // namespace patchlore
