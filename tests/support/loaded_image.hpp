// Puts a synthetic image into a registry as the Open command would, and
// changes a loaded image as a test needs it.
#pragma once

#include <cstdint>
#include <string>

#include "support/chunk_tree.hpp"
#include "workspace/registry.hpp"
#include "workspace/workspace.hpp"

namespace patchlore::test {

// The facts a load would have established for a file of this type text
// («PCG KORG KRONOS», «SNG KORG OASYS», «SysEx  ; Count:2»).
FileFacts FactsOfType(const std::string& type);

// The image loaded from path with the given type text; its index.
int AddToRegistry(Registry& registry, const Bytes& image, const std::string& path = "/data/A.PCG",
                  const std::string& type = "PCG KORG KRONOS");

// Puts the byte at offset of a loaded image (a damaged field, a chosen sum)
// through the workspace, as a change named "test".
void Poke(Workspace& workspace, int index, std::int64_t offset, std::uint8_t value);

}  // namespace patchlore::test
