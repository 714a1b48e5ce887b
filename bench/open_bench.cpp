// Open of a 64 MiB PCG through the core, against reading the same file whole
// into a std::vector.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "workspace/workspace.hpp"
#include "ratio_reporter.hpp"

namespace {

constexpr std::size_t kFileSize = 64u << 20;

// A PCG of 64 MiB: header, "PCG1" spanning the file, one big "PRG1" child of
// varied bytes (so that searching for "SNG1" meets many near misses).
const std::string& BigPcgPath() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "patchlore-bench-64MiB.PCG";
    std::vector<char> bytes(kFileSize);
    std::uint32_t x = 1;
    for (auto& b : bytes) {
      x = x * 1103515245u + 12345u;
      b = static_cast<char>("SNGPCG1 "[(x >> 24) & 7]);
    }
    auto put32 = [&](std::size_t at, std::uint32_t v) {
      for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (24 - 8 * i));
    };
    std::memcpy(bytes.data(), "KORGh\0\0\0\0\0\0\0\0\0\0\0PCG1", 20);
    put32(20, kFileSize - 28);
    std::memcpy(bytes.data() + 28, "PRG1", 4);
    put32(32, kFileSize - 40);
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }();
  return path;
}

void BM_ReadWholeFileIntoVector(benchmark::State& state) {
  const std::string& path = BigPcgPath();
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    std::vector<char> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_ReadWholeFileIntoVector)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_OpenCommand64MiB(benchmark::State& state) {
  for (auto _ : state) {
    patchlore::Workspace workspace;
    if (!workspace.openFile(BigPcgPath())) state.SkipWithError("the file was not loaded");
    benchmark::DoNotOptimize(workspace.registry().image(0).data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_OpenCommand64MiB)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered = (patchlore::bench::CompareWith("BM_OpenCommand64MiB", "BM_ReadWholeFileIntoVector"), true);

}  // namespace
