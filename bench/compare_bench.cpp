// Comparing two 16 MiB files: equal ones against memcmp of the two buffers,
// and ones that differ in every byte (16.8 million difference rows).
#include <benchmark/benchmark.h>

#include <cstring>
#include <optional>

#include "filled_buffer.hpp"
#include "ratio_reporter.hpp"
#include "tools/compare_command.hpp"
#include "tools/file_comparison.hpp"

namespace {

constexpr std::int64_t kSize = 16 << 20;

void Compare(benchmark::State& state, std::uint8_t second, std::int64_t expected) {
  std::optional<patchlore::FileComparison> comparison;
  for (auto _ : state) {
    state.PauseTiming();  // making and freeing the buffers is not the comparison
    comparison.emplace();
    comparison->setFile(1, "A", patchlore::bench::Filled(kSize, 0x00));
    comparison->setFile(2, "B", patchlore::bench::Filled(kSize, second));
    state.ResumeTiming();
    while (!comparison->finished()) comparison->compareMore(patchlore::kCompareBlock);
    if (comparison->differenceCount() != expected) state.SkipWithError("wrong count");
  }
}

void BM_Compare16MiBEqual(benchmark::State& state) { Compare(state, 0x00, 0); }
BENCHMARK(BM_Compare16MiBEqual)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_Compare16MiBAllDifferent(benchmark::State& state) { Compare(state, 0x01, kSize); }
BENCHMARK(BM_Compare16MiBAllDifferent)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_Memcmp16MiB(benchmark::State& state) {
  const patchlore::ByteBuffer a = patchlore::bench::Filled(kSize, 0x00), b = patchlore::bench::Filled(kSize, 0x00);
  for (auto _ : state) benchmark::DoNotOptimize(std::memcmp(a.data(), b.data(), kSize));
}
BENCHMARK(BM_Memcmp16MiB)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered = (patchlore::bench::CompareWith("BM_Compare16MiBEqual", "BM_Memcmp16MiB"), true);

}  // namespace
