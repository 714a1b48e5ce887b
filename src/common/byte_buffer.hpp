#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

namespace patchlore {

// A heap buffer of exactly n bytes, left uninitialised until written: a file
// image is filled by one read or one copy, never zeroed first.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  explicit ByteBuffer(std::int64_t size)
      : data_(size > 0 ? std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(size))
                       : nullptr),
        size_(size > 0 ? size : 0) {}

  // A buffer holding a copy of these bytes.
  static ByteBuffer CopyOf(std::span<const std::uint8_t> bytes) {
    ByteBuffer buffer(static_cast<std::int64_t>(bytes.size()));
    if (!bytes.empty()) std::memcpy(buffer.data(), bytes.data(), bytes.size());
    return buffer;
  }

  std::int64_t size() const { return size_; }
  std::uint8_t* data() { return data_.get(); }
  const std::uint8_t* data() const { return data_.get(); }
  std::span<std::uint8_t> bytes() { return {data_.get(), static_cast<std::size_t>(size_)}; }
  std::span<const std::uint8_t> bytes() const {
    return {data_.get(), static_cast<std::size_t>(size_)};
  }

 private:
  std::unique_ptr<std::uint8_t[]> data_;
  std::int64_t size_ = 0;
};

}  // namespace patchlore
