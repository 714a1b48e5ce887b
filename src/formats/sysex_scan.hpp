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

// The message whose $F0 lies at offset: up to and with the next $F7. Empty
// when offset is outside the image, holds no $F0 or no $F7 follows it.
Image SysexMessageAt(Image image, std::int64_t offset);

// The messages of an image in file order. Only the offset of each message is
// kept, eight bytes a message; its end is found again when asked for. The
// image must outlive the scan.
class SysexScan {
 public:
  explicit SysexScan(Image image);

  std::int64_t count() const { return static_cast<std::int64_t>(offsets_.size()); }
  bool empty() const { return offsets_.empty(); }
  // Message k, 0 <= k < count().
  SysexMessage message(std::int64_t k) const;
  // The offset of message k, without looking for its end.
  std::int64_t offset(std::int64_t k) const { return offsets_.at(static_cast<std::size_t>(k)); }
  // The bytes of message k, a view into the scanned image.
  Image bytes(std::int64_t k) const;

 private:
  Image image_;
  std::vector<std::int64_t> offsets_;
};

}  // namespace patchlore
