// A buffer of n bytes all of one value, for the comparison benchmarks.
#pragma once

#include <cstring>

#include "common/byte_buffer.hpp"

namespace patchlore::bench {

inline ByteBuffer Filled(std::int64_t size, std::uint8_t value) {
  ByteBuffer buffer(size);
  std::memset(buffer.data(), value, static_cast<std::size_t>(size));
  return buffer;
}

}  // namespace patchlore::bench
