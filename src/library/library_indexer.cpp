#include "library/library_indexer.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/cp1251.hpp"
#include "library/file_for_library.hpp"
#include "library/handoff_queue.hpp"

namespace patchlore {

namespace {

// Files read ahead of the one being stored: reading the next file while one
// is stored keeps both the disk and the library busy, and holds at most
// this many files' facts (and one file's image) in memory besides.
constexpr std::size_t kFilesReadAhead = 1;

// Files are committed a batch at a time: a commit costs more than storing
// the hundred patches of an M1 dump. A batch ends at this many patches
// (a PCG alone is more) or after this long, so another process waiting to
// write the library, or a reader, waits little longer than for one file.
constexpr std::int64_t kBatchPatches = 5000;
constexpr std::chrono::milliseconds kBatchTime(250);

// The regular files of a folder and its folders, sorted (the same order on
// every run); links to folders are not followed, so a loop of links ends.
// A folder that cannot be read gets a line.
void AddFolder(const std::filesystem::path& top, std::vector<std::string>& files, std::vector<std::string>& lines) {
  std::vector<std::string> found;
  std::vector<std::filesystem::path> folders{top};
  while (!folders.empty()) {
    const std::filesystem::path folder = std::move(folders.back());
    folders.pop_back();
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
      std::error_code ignored;
      if (it->is_directory(ignored) && !it->is_symlink(ignored)) folders.push_back(it->path());
      else if (it->is_regular_file(ignored)) found.push_back(it->path().string());
    }
    if (error) lines.push_back("Failed: " + folder.string() + "\tfolder not read: " + error.message());
  }
  std::sort(found.begin(), found.end());
  files.insert(files.end(), found.begin(), found.end());
}

// The files of the paths, as absolute paths; lines for folders not read.
std::vector<std::string> FilesOf(const std::vector<std::string>& paths, std::vector<std::string>& lines) {
  std::vector<std::string> files;
  for (const std::string& given : paths) {
    const std::filesystem::path path = std::filesystem::absolute(given).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) AddFolder(path, files, lines);
    else files.push_back(path.string());
  }
  return files;
}

// A library that cannot list its files has every file walked; storing
// then tells what is wrong with it.
KnownFiles KnownFilesOf(const LibraryStore& store) {
  KnownFiles known;
  const Result<std::vector<LibraryFile>> files = store.files();
  if (files)
    for (const LibraryFile& file : *files) known.emplace(file.path, file);
  return known;
}

// Reads the files' facts in order, one after another, until every file is
// read or the taker stops.
void ReadFacts(const std::vector<std::string>& files, const KnownFiles& known, HandoffQueue<FileForLibrary>& queue) {
  for (const std::string& path : files) {
    FileForLibrary facts;
    try {
      facts = ReadFileForLibrary(path, known);
    } catch (const std::exception& e) {
      facts = {.outcome = FileForLibrary::Outcome::Failed, .path = path, .why = std::string("not read: ") + e.what()};
    }
    if (!queue.push(std::move(facts))) break;
  }
  queue.close();
}

// Stops the reader and waits for it, however the run ends.
struct ReaderJoin {
  HandoffQueue<FileForLibrary>& queue;
  std::thread& reader;
  ~ReaderJoin() {
    queue.stop();
    reader.join();
  }
};

}  // namespace

std::vector<std::string> LibraryIndexer::add(const std::vector<std::string>& paths) {
  std::vector<std::string> lines;
  const std::int64_t passedOverBefore = counts_.passedOver;
  const std::vector<std::string> files = FilesOf(paths, lines);
  failed_ = failed_ || !lines.empty();
  const KnownFiles known = KnownFilesOf(store_);
  HandoffQueue<FileForLibrary> queue(kFilesReadAhead);
  std::thread reader(ReadFacts, std::cref(files), std::cref(known), std::ref(queue));
  const ReaderJoin join{queue, reader};
  Batch batch;
  while (std::optional<FileForLibrary> facts = queue.pop()) {
    if (!batch.transaction) beginBatch(batch);
    const Stored stored = store(*facts, lines);
    if (stored == Stored::Yes && batch.transaction) batch.files.push_back({lines.size() - 1, std::move(*facts)});
    ++counts_.files;
    if (stored == Stored::NotStored) abandonBatch(batch, lines);
    else if (batch.full()) endBatch(batch, lines);
    if (progress_ && !progress_(counts_)) {
      endBatch(batch, lines);
      lines.push_back("Stopped");
      break;
    }
  }
  endBatch(batch, lines);
  if (const std::int64_t passedOver = counts_.passedOver - passedOverBefore; passedOver > 0)
    lines.push_back("Passed over: " + std::to_string(passedOver) +
                    (passedOver == 1 ? " file that is not a PCG or SNG file" : " files that are not PCG or SNG files"));
  return lines;
}

bool LibraryIndexer::Batch::full() const {
  std::size_t patches = 0;
  for (const BatchedFile& file : files) patches += file.facts.patches.size();
  return patches >= kBatchPatches || std::chrono::steady_clock::now() - begun >= kBatchTime;
}

// A batch that cannot begin leaves each file to its own transaction.
void LibraryIndexer::beginBatch(Batch& batch) {
  Result<sql::Transaction> begun = store_.beginBatch();
  if (begun) batch.transaction.emplace(std::move(*begun));
  batch.begun = std::chrono::steady_clock::now();
}

// Commits the batch; when that fails, each of its files is stored again
// on its own, so a full disk keeps the files that fit, as without batches.
void LibraryIndexer::endBatch(Batch& batch, std::vector<std::string>& lines) {
  if (batch.transaction) {
    const Status committed = batch.transaction->commit();
    batch.transaction.reset();
    if (!committed)
      for (const BatchedFile& file : batch.files) storeAlone(file, lines);
  }
  batch.files.clear();
}

// A file failed inside the batch, perhaps half written: the batch is rolled
// back and the files stored before it are stored again, each on its own.
void LibraryIndexer::abandonBatch(Batch& batch, std::vector<std::string>& lines) {
  if (batch.transaction) {
    batch.transaction.reset();
    for (const BatchedFile& file : batch.files) storeAlone(file, lines);
  }
  batch.files.clear();
}

void LibraryIndexer::storeAlone(const BatchedFile& file, std::vector<std::string>& lines) {
  const FileForLibrary& facts = file.facts;
  if (const Status saved = store_.replaceFile(facts.identity, facts.patches, facts.uses); !saved) {
    lines[file.line] = "Failed: " + facts.path + "\tnot stored: " + saved.failure().text;
    counts_.patches -= static_cast<std::int64_t>(facts.patches.size());
    failed_ = true;
  }
}

LibraryIndexer::Stored LibraryIndexer::store(FileForLibrary& facts, std::vector<std::string>& lines) {
  const std::string& path = facts.path;
  const auto fail = [&](const std::string& why) {
    lines.push_back("Failed: " + path + "\t" + why);
    failed_ = true;
    return Stored::NotStored;
  };
  counts_.bytes += facts.bytes;
  switch (facts.outcome) {
    case FileForLibrary::Outcome::PassedOver: ++counts_.passedOver; return Stored::No;
    case FileForLibrary::Outcome::Failed: fail(facts.why); return Stored::No;
    case FileForLibrary::Outcome::Refused:
      lines.push_back("Refused: " + path + "\t" + Cp1251ToUtf8(facts.why));
      refused_ = true;
      return Stored::No;
    case FileForLibrary::Outcome::Unchanged: lines.push_back("Unchanged: " + path); return Stored::No;
    case FileForLibrary::Outcome::Ready: break;
  }
  // The library may have changed since the run began (the same file given
  // twice, another process).
  const Result<std::optional<LibraryFile>> stored = store_.file(path);
  if (!stored) return fail(stored.failure().text);
  if (*stored && SameIdentity(**stored, facts.identity)) {
    lines.push_back("Unchanged: " + path);
    return Stored::No;
  }
  const Status saved = store_.replaceFile(facts.identity, facts.patches, facts.uses);
  if (!saved) return fail("not stored: " + saved.failure().text);
  counts_.patches += static_cast<std::int64_t>(facts.patches.size());
  lines.push_back("Indexed: " + path + "\t" + std::to_string(facts.patches.size()) + " patches");
  return Stored::Yes;
}

Result<std::vector<std::string>> PruneLibrary(LibraryStore& store) {
  const Result<std::vector<std::string>> paths = store.filePaths();
  if (!paths) return paths.failure();
  std::vector<std::string> lines;
  for (const std::string& path : *paths) {
    std::error_code error;
    if (std::filesystem::exists(path, error) || error) continue;
    const Result<bool> removed = store.removeFile(path);
    if (!removed) return removed.failure();
    lines.push_back("Removed: " + path);
  }
  return lines;
}

}  // namespace patchlore
