// What the Compare Patches window shows for two loaded files: the patch
// diff as a table, its summary, and for each row where the two patches lie
// so that their viewers can be opened.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "workspace/registry.hpp"
#include "common/table.hpp"
#include "library/patch_diff.hpp"
#include "library/patch_walk.hpp"

namespace patchlore {

// A patch of a loaded file, as a viewer is opened on it.
struct PatchPlace {
  int fileIndex = -1;
  std::int64_t catalogueObject = 0;  // the catalogue row's object: bank, "SLS1" or song chunk
  std::int64_t offset = 0;           // the patch itself
  bool operator==(const PatchPlace&) const = default;
};

class PatchComparison {
 public:
  // Files a and b of the registry, which must outlive the comparison.
  PatchComparison(const Registry& registry, int a, int b);
  PatchComparison(const PatchComparison&) = delete;
  PatchComparison& operator=(const PatchComparison&) = delete;

  // "Compare Patches " and the two file names joined by " - ".
  const std::string& caption() const { return caption_; }
  // The summary line, or why a file could not be walked.
  const std::string& msg() const { return msg_; }
  // "Status", "Kind", "Key A", "Key B", "Name A", "Name B": one row per difference.
  const Table& table() const { return table_; }
  // The patches of a row: A's, then B's, each when the row has it.
  std::vector<PatchPlace> places(std::size_t row) const;

 private:
  int a_;
  int b_;
  std::vector<PatchEntry> patchesA_;
  std::vector<PatchEntry> patchesB_;
  PatchDiff diff_;
  std::string caption_;
  std::string msg_;
  Table table_;
};

}  // namespace patchlore
