// verify of a full-size KRONOS PCG (every bank, the set list bank and GLB1
// checked, each bank's INI2 record looked up), against one loop that sums
// every byte of the same image: verify reads each byte about once, so the
// ratio should stay near 1.
#include <benchmark/benchmark.h>

#include "formats/verify.hpp"
#include "ratio_reporter.hpp"
#include "support/pcg_builder.hpp"

namespace {

const patchlore::test::Bytes& FullPcg() {
  static const patchlore::test::Bytes bytes = patchlore::test::PcgBuilder::FullBackup().withIni().build();
  return bytes;
}

void BM_SumEveryByteOfFullPcg(benchmark::State& state) {
  const auto& bytes = FullPcg();
  for (auto _ : state) {
    unsigned sum = 0;
    for (const std::uint8_t b : bytes) sum += b;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SumEveryByteOfFullPcg)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_VerifyFullPcg(benchmark::State& state) {
  const auto& bytes = FullPcg();
  for (auto _ : state) {
    const auto checks = patchlore::VerifyChecksums(bytes);
    if (!checks || checks->empty() || !checks->front().ok()) {
      state.SkipWithError("verify failed");
      break;
    }
    benchmark::DoNotOptimize(checks->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_VerifyFullPcg)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered = (patchlore::bench::CompareWith("BM_VerifyFullPcg", "BM_SumEveryByteOfFullPcg"), true);

}  // namespace
