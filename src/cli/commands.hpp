// The commands of patchlore-cli: they drive the same core objects as the
// windows and print the same texts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace patchlore::cli {

struct Output {
  std::ostream& out;
  std::ostream& err;
  bool raw = false;  // write the program's 8-bit texts unchanged instead of UTF-8
  void line(const std::string& text) const;
};

// Runs the Open command on each file in turn on one registry; 0 when every
// file was added, 1 otherwise.
int RunInfo(const std::vector<std::string>& files, const Output& output);

// Prints the "Check PCG" listing of a file; 2 when it cannot be read.
int RunCheck(const std::string& file, const Output& output);

// Opens FILE with the Open command and prints the object catalogue of its
// row: caption, columns, rows (every sub-item), descriptor lines, Msg and
// ActionMsg. 1 with the loader's ActionMsg when the file is not loaded.
int RunList(const std::string& file, const Output& output);

}  // namespace patchlore::cli
