// What changed between two files, patch by patch: the slots of A and B are
// paired by kind and key, and each pair that is not identical gets one of
//   renamed  only the 24 name bytes differ;
//   moved    B's slot holds, byte for byte, what another slot of the same
//            kind held in A (KEY_A names that slot, the first in A's order);
//   changed  anything else differs;
// judged in this order after identical. A slot of one file only is added
// (in B) or removed (from A). The lines come kind by kind (P, C, D, W, T,
// S): B's slots in B's order, then the slots removed from A in A's order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.hpp"
#include "common/table.hpp"
#include "library/patch_walk.hpp"

namespace patchlore {

enum class DiffStatus { Renamed, Moved, Changed, Added, Removed };

std::string_view DiffStatusText(DiffStatus status);  // "renamed", "moved", ...

struct PatchDifference {
  DiffStatus status = DiffStatus::Changed;
  PatchKind kind = PatchKind::Program;
  const PatchEntry* a = nullptr;  // null for an added slot; for a moved one, where its bytes were in A
  const PatchEntry* b = nullptr;  // null for a removed slot
};

struct DiffSummary {
  std::int64_t same = 0;
  std::int64_t renamed = 0;
  std::int64_t changed = 0;
  std::int64_t moved = 0;
  std::int64_t added = 0;
  std::int64_t removed = 0;
};

struct PatchDiff {
  std::vector<PatchDifference> differences;
  DiffSummary summary;
};

// The patches are the walks of images a and b; the differences point into
// them, so they must outlive the result.
PatchDiff DiffPatches(Image a, const std::vector<PatchEntry>& patchesA, Image b,
                      const std::vector<PatchEntry>& patchesB);

// The cells of a difference: STATUS, KIND, KEY_A, KEY_B, NAME_A, NAME_B
// (keys and names empty on the side that has no slot).
std::vector<std::string> DifferenceCells(const PatchDifference& difference);
// "Patch: " and the cells joined by tabs.
std::string DifferenceLine(const PatchDifference& difference);
// "Summary: same=N renamed=N changed=N moved=N added=N removed=N".
std::string SummaryLine(const DiffSummary& summary);

// The differences as the Compare Patches window lists them: "Status",
// "Kind", "Key A", "Key B", "Name A", "Name B".
Table DiffTable(const PatchDiff& diff);

}  // namespace patchlore
