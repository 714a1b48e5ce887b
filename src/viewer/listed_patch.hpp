// A patch a Show listed: the key it is known by ("I-A000"), its offset in
// the image and the table row where its rows begin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace patchlore {

struct ListedPatch {
  std::string key;
  std::int64_t offset = 0;
  std::size_t firstRow = 0;
};

}  // namespace patchlore
