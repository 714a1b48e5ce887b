// A fast 64-bit hash of byte runs: XXH64, from libxxhash. The library
// stores these hashes, so they must not change between versions of the
// program; XXH64's values are fixed by its definition.
#pragma once

#include <cstdint>

#include "common/bytes.hpp"

namespace patchlore {

std::uint64_t Hash64(Image bytes, std::uint64_t seed = 0);

}  // namespace patchlore
