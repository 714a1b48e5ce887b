#include "library/patch_comparison.hpp"

namespace patchlore {

PatchComparison::PatchComparison(const Registry& registry, int a, int b)
    : a_(a), b_(b), caption_("Compare Patches " + registry.name(a) + " - " + registry.name(b)) {
  auto walkA = WalkPatches(registry, a);
  auto walkB = WalkPatches(registry, b);
  if (!walkA || !walkB) {
    msg_ = walkA ? walkB.failure().text : walkA.failure().text;
    return;
  }
  patchesA_ = std::move(*walkA);
  patchesB_ = std::move(*walkB);
  diff_ = DiffPatches(registry.image(a), patchesA_, registry.image(b), patchesB_);
  msg_ = SummaryLine(diff_.summary);
  table_ = DiffTable(diff_);
}

std::vector<PatchPlace> PatchComparison::places(std::size_t row) const {
  std::vector<PatchPlace> places;
  if (row >= diff_.differences.size()) return places;
  const PatchDifference& difference = diff_.differences[row];
  if (difference.a) places.push_back({a_, difference.a->catalogueObject, difference.a->offset});
  if (difference.b) places.push_back({b_, difference.b->catalogueObject, difference.b->offset});
  return places;
}

}  // namespace patchlore
