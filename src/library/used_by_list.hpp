// What the "Used by" window of a program lists: the combination timbres and
// set list slots of the program's own PCG, and the song tracks of every
// loaded SNG, that use it.
#pragma once

#include <cstdint>
#include <string>

#include "workspace/registry.hpp"
#include "common/table.hpp"

namespace patchlore {

struct UsedByList {
  std::string key;      // the program's key, "U-A012"
  std::string caption;  // "Used by U-A012 " and the PCG's window caption
  // "Uses:3" or "Nothing uses U-A012", then "; " and the reason for each
  // file that could not be searched.
  std::string msg;
  Table table;          // "Used by", "Key", "Part", "Name", "File"
};

// Program patch (from 0) of the program bank at bankOffset of loaded PCG
// fileIndex.
UsedByList ListUsesOf(const Registry& registry, int fileIndex, std::int64_t bankOffset, std::int64_t patch);

}  // namespace patchlore
