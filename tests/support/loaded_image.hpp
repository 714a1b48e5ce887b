// Puts a synthetic image into a registry as the Open command would.
#pragma once

#include <string>

#include "workspace/registry.hpp"
#include "support/chunk_tree.hpp"

namespace patchlore::test {

// The facts a load would have established for a file of this type text
// («PCG KORG KRONOS», «SNG KORG OASYS», «SysEx  ; Count:2»).
FileFacts FactsOfType(const std::string& type);

// The image loaded from path with the given type text; its index.
int AddToRegistry(Registry& registry, const Bytes& image, const std::string& path = "/data/A.PCG",
                  const std::string& type = "PCG KORG KRONOS");

}  // namespace patchlore::test
