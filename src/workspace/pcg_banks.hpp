// The banks of a PCG image in file order: the set list bank of "SLS1", the
// program banks of "PRG1", the combination banks of "CMB1" and the drum kit
// and wave sequence banks of "DKT1" and "WSQ1". The catalogue lists one row
// per bank from this walk, and the patch walk of the library goes through
// the same banks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/bytes.hpp"
#include "common/result.hpp"

namespace patchlore {

// The top-level chunk a bank was found in.
enum class PcgBankRun { SetLists, Programs, Combinations, KitsOrSequences };

// What the patches of a bank are.
enum class BankContent { SetLists, Programs, Combinations, DrumKits, WaveSequences };

struct PcgBank {
  PcgBankRun run;
  BankContent content;
  std::int64_t offset;  // the bank chunk; for the set lists, their "SLS1" chunk
  int numberInRun;      // from 0, counted anew in each top-level chunk
  // In the drum kit and wave sequence runs, the label of the bank by the
  // first letter of its ID ("Drum Kit", "Wave Sequence", "Prog [HD-1]", ...);
  // a letter no label names keeps the label of the bank before it. Empty in
  // the other runs.
  std::string label;
};

// Visits every bank in file order; a set list chunk whose bank is not
// "SBK1" gives none. An image without "PCG1" at 16 has no banks; a PCG whose
// length check fails is the failure, and no bank is visited.
Status WalkPcgBanks(Image image, const std::function<void(const PcgBank&)>& visit);

}  // namespace patchlore
