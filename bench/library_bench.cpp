// The library: indexing twenty full-size PCGs against reading and hashing
// the same files with SHA-256 only (aim: at most 2x), and find and dupes over
// a library of 500,000 patches (aim: medians under 50 ms).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

#include "common/file_io.hpp"
#include "common/sha256.hpp"
#include "library/library_indexer.hpp"
#include "ratio_reporter.hpp"
#include "support/pcg_builder.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 20;

// Twenty full backups, each a little different, in a folder of their own.
const fs::path& BackupFolder() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / "patchlore-bench-library";
    fs::create_directories(path);
    for (int k = 0; k < kFiles; ++k) {
      const fs::path file = path / ("BACKUP" + std::to_string(k) + ".PCG");
      if (fs::exists(file)) continue;
      patchlore::test::Bytes bytes = patchlore::test::PcgBuilder::FullBackup().build();
      bytes[bytes.size() / 2] ^= static_cast<std::uint8_t>(k + 1);
      (void)patchlore::WriteFileSafely(file.string(), reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return path;
  }();
  return folder;
}

std::int64_t FolderBytes() {
  std::int64_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(BackupFolder())) bytes += static_cast<std::int64_t>(entry.file_size());
  return bytes;
}

void BM_ReadAndSha256TwentyPcgs(benchmark::State& state) {
  const fs::path& folder = BackupFolder();
  for (auto _ : state)
    for (const auto& entry : fs::directory_iterator(folder)) {
      const patchlore::ReadResult read = patchlore::ReadWholeFile(entry.path().string());
      benchmark::DoNotOptimize(patchlore::Sha256Of(read->bytes()));
    }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}
BENCHMARK(BM_ReadAndSha256TwentyPcgs)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();

void BM_IndexTwentyPcgs(benchmark::State& state) {
  const fs::path& folder = BackupFolder();
  const fs::path db = fs::temp_directory_path() / "patchlore-bench-index.sqlite";
  for (auto _ : state) {
    state.PauseTiming();
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(db.string() + suffix);
    std::optional<patchlore::LibraryStore> store;
    store.emplace(std::move(*patchlore::LibraryStore::Open(db.string())));
    state.ResumeTiming();
    patchlore::LibraryIndexer indexer(*store);
    indexer.add({folder.string()});
    if (indexer.counts().files != kFiles || indexer.failed()) state.SkipWithError("not every file was indexed");
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}
BENCHMARK(BM_IndexTwentyPcgs)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();

constexpr int kLibraryFiles = 100;
constexpr int kPatchesPerFile = 5000;

// 500,000 patches; one name in a hundred holds "Bass", and sounds repeat.
patchlore::LibraryStore& BigLibrary() {
  static patchlore::LibraryStore store = [] {
    const fs::path db = fs::temp_directory_path() / "patchlore-bench-big.sqlite";
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(db.string() + suffix);
    patchlore::LibraryStore s = std::move(*patchlore::LibraryStore::Open(db.string()));
    for (int f = 0; f < kLibraryFiles; ++f) {
      std::vector<patchlore::LibraryPatch> patches;
      for (int p = 0; p < kPatchesPerFile; ++p) {
        const int n = f * kPatchesPerFile + p;
        const std::string name = (n % 100 == 0 ? "Fat Bass " : "Pad ") + std::to_string(n);
        patches.push_back({'P', "U-A", p % 128, "U-A" + std::to_string(p % 1000), name, 720,
                           static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(n % 450000)});
      }
      (void)s.replaceFile({"/backups/F" + std::to_string(f) + ".PCG", 1, 1, "x", "KRONOS", "0202"}, patches);
    }
    return s;
  }();
  return store;
}

void BM_LibraryFind500k(benchmark::State& state) {
  const patchlore::LibraryStore& store = BigLibrary();
  for (auto _ : state) {
    const auto found = store.find("fat bass", 0, "");
    if (found->size() != kLibraryFiles * kPatchesPerFile / 100) state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_LibraryFind500k)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

void BM_LibraryDupes500k(benchmark::State& state) {
  const patchlore::LibraryStore& store = BigLibrary();
  for (auto _ : state) benchmark::DoNotOptimize(store.dupes(0, false)->size());
}
BENCHMARK(BM_LibraryDupes500k)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

const bool registered = (patchlore::bench::CompareWith("BM_IndexTwentyPcgs", "BM_ReadAndSha256TwentyPcgs"), true);

}  // namespace
