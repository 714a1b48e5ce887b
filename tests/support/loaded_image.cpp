#include "support/loaded_image.hpp"

#include <algorithm>

namespace patchlore::test {

int AddToRegistry(Registry& registry, const Bytes& image, const std::string& path, const std::string& type) {
  ByteBuffer buffer(static_cast<std::int64_t>(image.size()));
  std::copy(image.begin(), image.end(), buffer.data());
  return registry.add(std::move(buffer), path, type);
}

}  // namespace patchlore::test
