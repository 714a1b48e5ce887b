// What the fuzz targets share: a main window with no one at its dialogs, the
// input written to a file of this process's own, and every display of a
// loaded file opened from the file's own catalogue.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/main_window_core.hpp"
#include "common/services.hpp"

namespace patchlore::fuzz {

using Input = std::span<const std::uint8_t>;

// Every question is cancelled: the fuzzed commands never wait for a person.
class NoDialogs : public Dialogs {
 public:
  std::optional<std::string> openFile(const std::string&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
  bool askYesNo(const std::string&) override { return false; }
};

// Writes the input to /tmp/patchlore-fuzz-<pid><suffix>, the same file each
// call, and returns its path.
std::string WriteInputFile(Input input, const std::string& suffix);

// Opens a viewer for every row of the file's catalogue, each fed the rows'
// descriptor lines plus one line made of the extra bytes, and presses Show in
// each (songs by object and by program).
void ShowEveryRow(MainWindowCore& window, int fileIndex, Input extra);

// Reads the bytes as a caller would: each text of each cell of a table.
std::size_t TouchTexts(const ComputedRows& rows, std::size_t columns);

}  // namespace patchlore::fuzz
