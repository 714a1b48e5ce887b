#include "library/patch_hash.hpp"

#include <xxhash.h>

namespace patchlore {

std::uint64_t Hash64(Image bytes, std::uint64_t seed) { return XXH64(bytes.data(), bytes.size(), seed); }

}  // namespace patchlore
