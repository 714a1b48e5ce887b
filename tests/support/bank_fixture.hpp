// Loaded PCGs for the bank manager's tests: images built by PcgBuilder and
// added to a registry as the Open command adds them.
#pragma once

#include <cstdint>
#include <string>

#include "app/registry.hpp"
#include "support/chunk_tree.hpp"

namespace patchlore::test {

// Adds the image to the registry as a loaded PCG named name; its index.
int AddPcg(Registry& registry, const Bytes& image, const std::string& name = "TEST.PCG");

// Sets the byte at offset of a loaded image, as a damaged file would hold it.
void Poke(Registry& registry, int index, std::int64_t offset, std::uint8_t value);

}  // namespace patchlore::test
