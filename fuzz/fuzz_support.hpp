// What the fuzz targets share: the input written to a file of this
// process's own, and every display of a loaded file opened from the file's
// own catalogue.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/services.hpp"
#include "workspace/workspace.hpp"

namespace patchlore::fuzz {

using Input = std::span<const std::uint8_t>;

// Writes the input to /tmp/patchlore-fuzz-<pid><suffix>, the same file each
// call, and returns its path.
std::string WriteInputFile(Input input, const std::string& suffix);

// Opens a viewer for every row of the file's catalogue, each fed the rows'
// objects plus one more: a line made of the extra bytes, at the offset their
// first four bytes give (big-endian, signed); then presses Show in each (songs
// by object and by program).
void ShowEveryRow(Workspace& workspace, int fileIndex, Input extra);

// Reads the bytes as a caller would: each text of each cell of a table.
std::size_t TouchTexts(const ComputedRows& rows, std::size_t columns);

}  // namespace patchlore::fuzz
