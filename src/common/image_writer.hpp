// Where a command writes the bytes it changes. The workspace's writer records
// every write of a loaded file's image so that the change can be undone; a
// BufferWriter writes straight into bytes that belong to no loaded file.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "common/bytes.hpp"

namespace patchlore {

class ImageWriter {
 public:
  virtual ~ImageWriter() = default;
  // The bytes as they stand, the writes made so far included.
  virtual Image image() const = 0;
  // Writes bytes at offset. Callers check first that the run lies inside
  // image(); a run that does not is not written.
  virtual void write(std::int64_t offset, std::span<const std::uint8_t> bytes) = 0;

  void write(std::int64_t offset, std::string_view bytes) {
    write(offset, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  }
  void write(std::int64_t offset, std::uint8_t byte) { write(offset, std::span(&byte, 1)); }

  // True when the run offset .. offset + length - 1 lies inside image().
  bool fits(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && offset <= static_cast<std::int64_t>(image().size()) - length;
  }
};

class BufferWriter final : public ImageWriter {
 public:
  explicit BufferWriter(MutableImage bytes) : bytes_(bytes) {}
  Image image() const override { return bytes_; }
  using ImageWriter::write;
  void write(std::int64_t offset, std::span<const std::uint8_t> bytes) override {
    if (!fits(offset, static_cast<std::int64_t>(bytes.size())) || bytes.empty()) return;
    std::memmove(bytes_.data() + offset, bytes.data(), bytes.size());
  }

 private:
  MutableImage bytes_;
};

}  // namespace patchlore
