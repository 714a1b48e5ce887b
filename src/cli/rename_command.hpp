// patchlore-cli rename: the name editor's Write on one patch, saved to a
// new file.
#pragma once

#include <optional>
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
// "BankInfo: " with its text, then writes the image to the output file. A
// bank whose stored checksum was already wrong is warned of on standard
// error. 2, writing nothing, when FILE cannot be loaded, OUT not written
// (or names a folder, a device or a pipe), or the rename is refused (no
// such bank or patch, or a name the editor refuses).
int RunRename(const RenameOptions& options, const Output& output);

}  // namespace patchlore::cli
