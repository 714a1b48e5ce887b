// patchlore-cli compare: the Compare command on two files, printing the rows
// of its window.
#pragma once

#include <string>

#include "cli/commands.hpp"

namespace patchlore::cli {

struct CompareOptions {
  std::string first;
  std::string second;
  bool summary = false;  // only the counts and the first and last differing offsets
};

// Prints "Row: " and the five cells of each row joined by tabs (the two file
// rows first), then "Msg: " when it is written; with summary, the sizes, the
// count and the first and last differing offsets instead. Files of
// different lengths add a "Lengths: " line naming both. 0 when the files are
// equal, 1 when bytes or lengths differ, 2 when a file is not read
// (standard error says why).
int RunCompare(const CompareOptions& options, const Output& output);

}  // namespace patchlore::cli
