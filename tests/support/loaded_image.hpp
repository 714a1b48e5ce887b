// Puts a synthetic image into a registry as the Open command would.
#pragma once

#include <string>

#include "app/registry.hpp"
#include "support/chunk_tree.hpp"

namespace patchlore::test {

// The image loaded from path with the given type text; its index.
int AddToRegistry(Registry& registry, const Bytes& image, const std::string& path = "/data/A.PCG",
                  const std::string& type = "PCG KORG KRONOS");

}  // namespace patchlore::test
