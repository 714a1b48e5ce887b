// A fast 64-bit hash of byte runs (the XXH64 construction: four lanes of
// multiply-rotate rounds over 32-byte stripes, then the tail and a final
// mix). The library stores these hashes, so they must not change between
// versions of the program.
#pragma once

#include <cstdint>

#include "common/bytes.hpp"

namespace patchlore {

std::uint64_t Hash64(Image bytes, std::uint64_t seed = 0);

}  // namespace patchlore
