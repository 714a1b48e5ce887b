// The library: indexing twenty full-size PCGs, and a thousand M1 All Program
// dumps, against reading and hashing the same files with OpenSSL's SHA-256
// only; `library add` of five
// full-size backups as a whole process against `openssl dgst -sha256` of
// them, runs taken in turn (aim: at most 3x); and find and dupes over a
// library of 500,000 patches (aim: medians under 50 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "common/file_io.hpp"
#include "common/sha256.hpp"
#include "library/library_indexer.hpp"
#include "ratio_reporter.hpp"
#include "support/pcg_builder.hpp"
#include "support/sysex_builder.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 20;

// Full backups, each a little different, in a folder of their own.
fs::path MakeBackupFolder(const std::string& name, int count) {
  const fs::path path = fs::temp_directory_path() / name;
  fs::create_directories(path);
  for (int k = 0; k < count; ++k) {
    const fs::path file = path / ("BACKUP" + std::to_string(k) + ".PCG");
    if (fs::exists(file)) continue;
    patchlore::test::Bytes bytes = patchlore::test::PcgBuilder::FullBackup().build();
    bytes[bytes.size() / 2] ^= static_cast<std::uint8_t>(k + 1);
    (void)patchlore::WriteFileSafely(file.string(), reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return path;
}

const fs::path& BackupFolder() {
  static const fs::path folder = MakeBackupFolder("patchlore-bench-library", kFiles);
  return folder;
}

std::int64_t FolderBytes(const fs::path& folder = BackupFolder()) {
  std::int64_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(folder)) bytes += static_cast<std::int64_t>(entry.file_size());
  return bytes;
}

void RemoveLibrary(const fs::path& db) {
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(db.string() + suffix);
}

void BM_ReadAndSha256TwentyPcgs(benchmark::State& state) {
  const fs::path& folder = BackupFolder();
  for (auto _ : state)
    for (const auto& entry : fs::directory_iterator(folder)) {
      const patchlore::ReadResult read = patchlore::ReadWholeFile(entry.path().string());
      benchmark::DoNotOptimize(patchlore::Sha256Of(read->bytes())->front());
    }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}
BENCHMARK(BM_ReadAndSha256TwentyPcgs)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();

// Indexes the folder into a new library each iteration; whole is told the
// counts of a run and says whether every file was indexed.
template <typename Whole>
void IndexFolder(benchmark::State& state, const fs::path& folder, const std::string& name, Whole whole) {
  const fs::path db = fs::temp_directory_path() / name;
  for (auto _ : state) {
    state.PauseTiming();
    RemoveLibrary(db);
    std::optional<patchlore::LibraryStore> store;
    store.emplace(std::move(*patchlore::LibraryStore::Open(db.string())));
    state.ResumeTiming();
    patchlore::LibraryIndexer indexer(*store);
    indexer.add({folder.string()});
    if (!whole(indexer.counts()) || indexer.failed()) state.SkipWithError("not every file was indexed");
  }
  RemoveLibrary(db);
  state.SetBytesProcessed(state.iterations() * FolderBytes(folder));
}

void BM_IndexTwentyPcgs(benchmark::State& state) {
  IndexFolder(state, BackupFolder(), "patchlore-bench-index.sqlite",
              [](const patchlore::IndexCounts& counts) { return counts.files == kFiles; });
}
BENCHMARK(BM_IndexTwentyPcgs)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();

constexpr int kM1Dumps = 1000;

// All Program dumps (16,350 bytes each), every one with names of its own.
const fs::path& M1DumpFolder() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / "patchlore-bench-library-m1";
    fs::create_directories(path);
    for (int k = 0; k < kM1Dumps; ++k) {
      const fs::path file = path / ("M1-" + std::to_string(k) + ".syx");
      if (fs::exists(file)) continue;
      const patchlore::test::Bytes bytes =
          patchlore::test::M1PatchDump(0x4C, patchlore::test::M1Names("D" + std::to_string(k)));
      (void)patchlore::WriteFileSafely(file.string(), reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return path;
  }();
  return folder;
}

void BM_ReadAndSha256ThousandM1Dumps(benchmark::State& state) {
  const fs::path& folder = M1DumpFolder();
  for (auto _ : state)
    for (const auto& entry : fs::directory_iterator(folder)) {
      const patchlore::ReadResult read = patchlore::ReadWholeFile(entry.path().string());
      benchmark::DoNotOptimize(patchlore::Sha256Of(read->bytes())->front());
    }
  state.SetBytesProcessed(state.iterations() * FolderBytes(folder));
}
BENCHMARK(BM_ReadAndSha256ThousandM1Dumps)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_IndexThousandM1Dumps(benchmark::State& state) {
  IndexFolder(state, M1DumpFolder(), "patchlore-bench-index-m1.sqlite",
              [](const patchlore::IndexCounts& counts) { return counts.patches == kM1Dumps * 100; });
}
BENCHMARK(BM_IndexThousandM1Dumps)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

constexpr int kLibraryFiles = 100;
constexpr int kPatchesPerFile = 5000;

// 500,000 patches; one name in a hundred holds "Bass", and sounds repeat.
patchlore::LibraryStore& BigLibrary() {
  static patchlore::LibraryStore store = [] {
    const fs::path db = fs::temp_directory_path() / "patchlore-bench-big.sqlite";
    RemoveLibrary(db);
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

// Seconds a shell command takes, or a negative number when it fails.
double SecondsOf(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system(command.c_str());
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return status == 0 ? took.count() : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Both processes, in turn, five times each; the reported time is the median
// of `library add` (into a new library), the counters both medians and
// their ratio.
void BM_LibraryAddFiveBackupsAgainstOpensslDgst(benchmark::State& state) {
  static const fs::path folder = MakeBackupFolder("patchlore-bench-library-five", 5);
  const fs::path db = fs::temp_directory_path() / "patchlore-bench-add.sqlite";
  const std::string files = "'" + (folder / "BACKUP").string() + "'*.PCG";
  const std::string add = "'" PATCHLORE_CLI "' library --db '" + db.string() + "' add '" + folder.string() + "' >/dev/null";
  for (auto _ : state) {
    std::vector<double> openssl, library;
    for (int round = 0; round < 5; ++round) {
      openssl.push_back(SecondsOf("openssl dgst -sha256 " + files + " >/dev/null"));
      RemoveLibrary(db);
      library.push_back(SecondsOf(add));
    }
    if (*std::min_element(openssl.begin(), openssl.end()) < 0 || *std::min_element(library.begin(), library.end()) < 0)
      state.SkipWithError("openssl or patchlore-cli failed");
    state.SetIterationTime(Median(library));
    state.counters["openssl_ms"] = Median(openssl) * 1e3;
    state.counters["add_ms"] = Median(library) * 1e3;
    state.counters["ratio"] = Median(library) / Median(openssl);
  }
  RemoveLibrary(db);
  state.SetBytesProcessed(state.iterations() * FolderBytes(folder));
}
BENCHMARK(BM_LibraryAddFiveBackupsAgainstOpensslDgst)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

const bool registered = (patchlore::bench::CompareWith("BM_IndexTwentyPcgs", "BM_ReadAndSha256TwentyPcgs"),
                         patchlore::bench::CompareWith("BM_IndexThousandM1Dumps", "BM_ReadAndSha256ThousandM1Dumps"),
                         true);

}  // namespace
