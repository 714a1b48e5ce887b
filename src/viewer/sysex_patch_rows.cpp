#include "viewer/sysex_patch_rows.hpp"

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

}  // namespace patchlore
