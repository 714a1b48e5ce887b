// Adding files to the library: every PCG and SNG the loader accepts, and
// every SysEx or MIDI file holding M1 program or combination dumps, found in
// the paths given (folders walked recursively), with its identity and a row
// per patch. A file that does not begin as a PCG or SNG does is passed over
// after a look at its first bytes, without loading it, unless it may hold
// SysEx (see file_for_library.hpp); one that holds no M1 dump is passed over
// too. Files are stored in transactions of a few files (one, when large),
// so an interrupted run leaves the library consistent and a rerun takes up
// where it stopped.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/file_for_library.hpp"
#include "library/library_store.hpp"

namespace patchlore {

struct IndexCounts {
  std::int64_t files = 0;    // files looked at
  std::int64_t bytes = 0;    // bytes read
  std::int64_t patches = 0;  // patches stored
  std::int64_t passedOver = 0;  // files that are not PCG or SNG files and hold no M1 dump
};

// Told after each file; false stops the run there (the files stored so far
// stay stored).
using IndexProgress = std::function<bool(const IndexCounts&)>;

class LibraryIndexer {
 public:
  explicit LibraryIndexer(LibraryStore& store, IndexProgress progress = {})
      : store_(store), progress_(std::move(progress)) {}

  // One line per file: "Indexed: PATH<TAB>N patches", "Unchanged: PATH",
  // "Refused: PATH<TAB>the loader's reason" (or the MIDI file reader's:
  // "MIDI file: " and what is wrong), "Failed: PATH<TAB>why" (a
  // file or folder not read, a file changed while read, or not stored: the
  // library keeps what it had); "Stopped" when the progress said so; last,
  // "Passed over: N files that are not PCG or SNG files" when there were any.
  std::vector<std::string> add(const std::vector<std::string>& paths);

  const IndexCounts& counts() const { return counts_; }
  // A file or folder was not read, or a file not stored.
  bool failed() const { return failed_; }
  // The loader refused a file that begins as a PCG or SNG does, or the
  // reader one that begins as a MIDI file does.
  bool refused() const { return refused_; }

 private:
  struct BatchedFile {
    std::size_t line;  // its "Indexed:" line
    FileForLibrary facts;
  };
  struct Batch {
    std::optional<sql::Transaction> transaction;
    std::vector<BatchedFile> files;
    std::chrono::steady_clock::time_point begun;
    bool full() const;
  };
  // NotStored: the library failed while storing the file.
  enum class Stored { No, Yes, NotStored };

  void beginBatch(Batch& batch);
  void endBatch(Batch& batch, std::vector<std::string>& lines);
  void abandonBatch(Batch& batch, std::vector<std::string>& lines);
  void storeAlone(const BatchedFile& file, std::vector<std::string>& lines);
  Stored store(FileForLibrary& facts, std::vector<std::string>& lines);

  LibraryStore& store_;
  IndexProgress progress_;
  IndexCounts counts_;
  bool failed_ = false;
  bool refused_ = false;
};

// Removes the files gone from disk; one "Removed: PATH" line each.
Result<std::vector<std::string>> PruneLibrary(LibraryStore& store);

}  // namespace patchlore
