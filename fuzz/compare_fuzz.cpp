// Two images from one input: the file comparison, and the patch walk and
// diff of the pair. The first two bytes say where the first image ends.
#include "fuzz_support.hpp"
#include "library/patch_diff.hpp"
#include "library/patch_walk.hpp"
#include "tools/file_comparison.hpp"

using namespace patchlore;

namespace {

void Compare(Image a, Image b) {
  FileComparison comparison;
  comparison.setFile(0, "A.PCG", ByteBuffer::CopyOf(a));
  comparison.setFile(1, "B.PCG", ByteBuffer::CopyOf(b));
  while (comparison.comparable() && !comparison.finished()) comparison.compareMore(997);
  (void)comparison.msg();
  (void)fuzz::TouchTexts(comparison, ComparisonColumns().size());
}

void Diff(Image a, Image b, FileKind kind) {
  const auto patchesA = WalkPatches(a, kind, "A");
  const auto patchesB = WalkPatches(b, kind, "B");
  if (!patchesA || !patchesB) return;
  const PatchDiff diff = DiffPatches(a, *patchesA, b, *patchesB);
  for (const PatchDifference& difference : diff.differences) (void)DifferenceLine(difference);
  (void)SummaryLine(diff.summary);
  (void)DiffTable(diff);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const Image input(data + 2, size - 2);
  const std::size_t split = std::min<std::size_t>((data[0] << 8 | data[1]) * 4u, input.size());
  const Image a = input.first(split);
  const Image b = input.subspan(split);
  Compare(a, b);
  Diff(a, b, FileKind::Pcg);
  Diff(a, b, FileKind::Sng);
  return 0;
}
