// Adding files to the library: every PCG and SNG the loader accepts, found
// in the paths given (folders walked recursively), with its identity and a
// row per patch. Each file is stored in one transaction, so an interrupted
// run leaves the library consistent and a rerun takes up where it stopped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/library_store.hpp"

namespace patchlore {

struct IndexCounts {
  std::int64_t files = 0;    // files looked at
  std::int64_t bytes = 0;    // bytes read
  std::int64_t patches = 0;  // patches stored
};

// Told after each file; false stops the run there (the files stored so far
// stay stored).
using IndexProgress = std::function<bool(const IndexCounts&)>;

class LibraryIndexer {
 public:
  explicit LibraryIndexer(LibraryStore& store, IndexProgress progress = {})
      : store_(store), progress_(std::move(progress)) {}

  // One line per file: "Indexed: PATH<TAB>N patches", "Unchanged: PATH",
  // "Refused: PATH<TAB>the loader's reason", "Failed: PATH<TAB>why" (not
  // read, changed while read, or not stored: the library keeps what it had);
  // "Stopped" when the progress said so.
  std::vector<std::string> add(const std::vector<std::string>& paths);

  const IndexCounts& counts() const { return counts_; }
  bool failed() const { return failed_; }

 private:
  void addFile(const std::string& path, std::vector<std::string>& lines);

  LibraryStore& store_;
  IndexProgress progress_;
  IndexCounts counts_;
  bool failed_ = false;
};

// Removes the files gone from disk; one "Removed: PATH" line each.
Result<std::vector<std::string>> PruneLibrary(LibraryStore& store);

}  // namespace patchlore
