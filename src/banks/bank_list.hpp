// The banks a user picks by their line in a bank list: every program bank
// of "PRG1" and every combination bank of "CMB1", in file order.
#pragma once

#include <cstdint>
#include <vector>

#include "common/bytes.hpp"

namespace patchlore {

struct ListedBank {
  std::int64_t offset = 0;
  bool combination = false;  // "CBK1"; else a program bank ("PBK1", "MBK1")
};

// The top-level chunks are walked from the first child of "PCG1"; a chunk
// size that does not move forward ends the walk.
std::vector<ListedBank> ListProgramAndCombinationBanks(Image image);

}  // namespace patchlore
