#include "viewer/sysex_patch_rows.hpp"

#include <algorithm>

#include "formats/m1_patches.hpp"
#include "formats/sysex_text.hpp"

namespace patchlore {

void AddM1PatchRows(Image message, std::vector<TableRow>& rows) {
  const std::optional<M1Dump> dump = UnpackM1Dump(message);
  if (!dump) return;
  const std::string kind(M1PatchKindText(dump->kind));
  const std::string parameters = SysexText(message);
  for (std::size_t k = 0; k < dump->count(); ++k)
    rows.push_back({kind, {ZeroPad(static_cast<std::int64_t>(k), 2), "", dump->name(k), parameters}});
}

std::optional<std::size_t> RowOfM1Patch(const std::vector<TableRow>& rows, std::size_t message, std::size_t patch) {
  const std::string head = std::to_string(message) + ":";
  const auto messageRow =
      std::find_if(rows.begin(), rows.end(), [&head](const TableRow& r) { return r.caption == head; });
  if (messageRow == rows.end()) return std::nullopt;
  const auto row = static_cast<std::size_t>(messageRow - rows.begin()) + 1 + patch;
  // The patch rows of a message end where the next message's row begins.
  for (std::size_t r = row - patch; r <= row; ++r)
    if (r >= rows.size() || rows[r].caption.ends_with(':')) return std::nullopt;
  return row;
}

}  // namespace patchlore
