// The "Check PCG" listing of a PCG of 100,000 chunks (target: under 50 ms).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "formats/chunk_listing.hpp"

namespace {

std::vector<std::uint8_t> PcgOfManyChunks(std::size_t chunks) {
  constexpr std::size_t kChunk = 16;  // 12-byte header and 4 data bytes
  std::vector<std::uint8_t> bytes(28 + chunks * kChunk, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
  };
  std::memcpy(bytes.data(), "KORGh", 5);
  std::memcpy(bytes.data() + 16, "PCG1", 4);
  put32(20, static_cast<std::uint32_t>(bytes.size() - 28));
  for (std::size_t i = 0; i < chunks; ++i) {
    std::memcpy(bytes.data() + 28 + i * kChunk, "CHK1", 4);
    put32(28 + i * kChunk + 4, 4);
  }
  return bytes;
}

void BM_CheckListing100000Chunks(benchmark::State& state) {
  const auto image = PcgOfManyChunks(100000);
  for (auto _ : state) {
    auto lines = patchlore::CheckPcgListing("/bench/MANY.PCG", patchlore::Image(image));
    if (lines.back() != "Type of file=KORG KRONOS PCG ") state.SkipWithError("walk incomplete");
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_CheckListing100000Chunks)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

}  // namespace
