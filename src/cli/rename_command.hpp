// patchlore-cli rename: the name editor's Write on one patch, saved to a
// new file.
#pragma once

#include <string>

#include "cli/commands.hpp"

namespace patchlore::cli {

struct RenameOptions {
  std::string file;
  int bankLine = 0;   // the bank's line in the bank list, from 0
  int patch = 0;      // the patch of that bank, from 0
  std::string name;   // UTF-8 (8-bit bytes with --raw)
  std::string output; // the changed image is written here
};

// Opens FILE, renames the patch as the name editor's Write does and prints
// "BankInfo: " with its text, then writes the image to the output file.
// 1 when FILE cannot be loaded or OUT not written, 2 when the rename is
// refused (no such bank or patch, or the name cannot be written).
int RunRename(const RenameOptions& options, const Output& output);

}  // namespace patchlore::cli
