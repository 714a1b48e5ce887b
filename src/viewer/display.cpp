#include "viewer/display.hpp"

#include <algorithm>

#include "common/bytes.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

void PatchDisplay::show(ShowFrame& frame) {
  setGroups(frame.viewerState().columnGroups);
  frame.changed(ViewerPart::Groups);
  frame.viewerState().table.columns = columns();
  frame.changed(ViewerPart::Table);
  const std::string startTime = "Time: " + frame.now();
  for (std::size_t b = 0; b < frame.objectOffsets().size(); ++b)
    if (!showBank(frame, b)) return;
  frame.setMsg(frame.viewerState().msg + "; " + startTime + " - " + frame.now());
}

// False when Cancel stopped the Show.
bool PatchDisplay::showBank(ShowFrame& frame, std::size_t bank) {
  ViewerState& state = frame.viewerState();
  ViewFilters& filters = frame.viewFilters();
  const std::string& patchWord = frame.context().patch;
  RowWriter rows = frame.rows();
  const std::int64_t count = openBank(frame.objectOffsets()[bank]);
  rows.expect(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
  for (std::int64_t j = 0; j < count; ++j) {
    if (frame.pumpAndTestCancel()) return false;
    const DisplayPatch patch = this->patch(j);
    const std::size_t known = filters.boxExist().size();
    filters.addExistOnce(patch.key + "=");
    if (filters.boxExist().size() != known) frame.changed(ViewerPart::Filters);
    if (filters.keepKey(filterView(), patch.key) && filters.keepName(filterView(), patch.name)) {
      state.addOffsetLine(patch.key, patch.offset, state.table.rows.size());
      addRows(j, rows);
      frame.changed(ViewerPart::Table);
    }
    // Msg and Info change once per patch: written in place.
    state.msg.assign(patchWord)
        .append(" Banks:")
        .append(std::to_string(bank + 1))
        .append("; Lines:")
        .append(std::to_string(state.table.rows.size()));
    frame.changed(ViewerPart::Msg);
    state.info.assign("Processing...").append(patchWord).append(" ").append(patch.key);
    frame.changed(ViewerPart::Info);
  }
  return true;
}

}  // namespace patchlore
