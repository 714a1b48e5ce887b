#include "support/bank_fixture.hpp"

#include <algorithm>

namespace patchlore::test {

int AddPcg(Registry& registry, const Bytes& image, const std::string& name) {
  ByteBuffer buffer(static_cast<std::int64_t>(image.size()));
  std::copy(image.begin(), image.end(), buffer.bytes().begin());
  return registry.add(std::move(buffer), "/tmp/" + name, "PCG KORG KRONOS");
}

void Poke(Registry& registry, int index, std::int64_t offset, std::uint8_t value) {
  registry.image(index)[static_cast<std::size_t>(offset)] = value;
}

}  // namespace patchlore::test
