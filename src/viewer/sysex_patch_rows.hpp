// The rows a SysEx viewer lists under an M1 dump message: one per program or
// combination inside it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "common/bytes.hpp"
#include "common/table.hpp"

namespace patchlore {

// For each record of the dump: the kind ("Program" or "Combination"), its
// number from 00, no offset, its name and the message's SysexText. Nothing
// for a message that is not an M1 dump of its fixed length.
void AddM1PatchRows(Image message, std::vector<TableRow>& rows);

// The row of patch k listed under the row of message m ("m:") of a SysEx
// viewer's table; nothing when the table lists no such patch.
std::optional<std::size_t> RowOfM1Patch(const std::vector<TableRow>& rows, std::size_t message, std::size_t patch);

}  // namespace patchlore
