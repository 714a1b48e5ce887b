// The patch diff of two full-size KRONOS PCGs (about 48 MB each) that differ
// in 100 programs: both patch walks (every patch hashed) and the pairing,
// against hashing both images whole, which reads every byte once as the
// walks do (a memcmp would stop at the first difference). The aim is under
// 100 ms.
#include <benchmark/benchmark.h>

#include "library/patch_diff.hpp"
#include "library/patch_hash.hpp"
#include "ratio_reporter.hpp"
#include "support/pcg_builder.hpp"

namespace {

using patchlore::test::Bytes;
using patchlore::test::PcgBuilder;

constexpr int kChangedPerProgramBank = 5;  // 20 program banks: 100 programs

const Bytes& Older() {
  static const Bytes bytes = PcgBuilder::FullBackup().build();
  return bytes;
}

const Bytes& Newer() {
  static const Bytes bytes = PcgBuilder::FullBackup()
                                 .editPatches([](const patchlore::test::BankPlan& bank, int j, Bytes& record) {
                                   if (bank.id[1] == 'B' && (bank.id[0] == 'P' || bank.id[0] == 'M') &&
                                       j < kChangedPerProgramBank)
                                     record[100] ^= 0xFF;
                                 })
                                 .build();
  return bytes;
}

void BM_HashTwoFullPcgs(benchmark::State& state) {
  const Bytes& a = Older();
  const Bytes& b = Newer();
  for (auto _ : state) benchmark::DoNotOptimize(patchlore::Hash64(a) ^ patchlore::Hash64(b));
}
BENCHMARK(BM_HashTwoFullPcgs)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_DiffTwoFullPcgs(benchmark::State& state) {
  const Bytes& a = Older();
  const Bytes& b = Newer();
  for (auto _ : state) {
    const auto patchesA = patchlore::WalkPatches(a, patchlore::FileKind::Pcg, "A.PCG");
    const auto patchesB = patchlore::WalkPatches(b, patchlore::FileKind::Pcg, "B.PCG");
    const patchlore::PatchDiff diff = patchlore::DiffPatches(a, *patchesA, b, *patchesB);
    if (diff.summary.changed != 100 || diff.differences.size() != 100) {
      state.SkipWithError("expected 100 changed programs");
      break;
    }
    benchmark::DoNotOptimize(diff.differences.data());
  }
}
BENCHMARK(BM_DiffTwoFullPcgs)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered = (patchlore::bench::CompareWith("BM_DiffTwoFullPcgs", "BM_HashTwoFullPcgs"), true);

}  // namespace
