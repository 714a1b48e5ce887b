#include "viewer/object_browser.hpp"

#include <algorithm>


namespace patchlore {

namespace {
// The codes that open a viewer, in the order their viewers are started.
constexpr std::string_view kPressOrder = "ETPCSDW";
}  // namespace

std::vector<ViewerRequest> ViewerRequestsFor(const Catalogue& catalogue,
                                             const std::vector<int>& selectedRows) {
  std::vector<int> rows = selectedRows;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

  std::vector<ViewerRequest> opened;  // in the order of their first row
  for (const int row : rows) {
    if (row < 0 || static_cast<std::size_t>(row) >= catalogue.rowCount()) continue;
    const auto line = static_cast<std::size_t>(row);
    std::string word = catalogue.kindWord(line);
    if (word.empty()) word.push_back('?');  // an empty kind word counts as "?"
    const char code = PatchCodeOf(word);
    if (kPressOrder.find(code) == std::string_view::npos) continue;
    auto viewer = std::find_if(opened.begin(), opened.end(),
                               [code](const ViewerRequest& r) { return r.patchCode == code; });
    if (viewer == opened.end())
      viewer = opened.insert(opened.end(), MakeViewerRequest(word, catalogue.fileIndex, catalogue.caption, {}));
    // A row of no object gives an offset where nothing is read.
    viewer->addObject({catalogue.descriptorLine(line), catalogue.objectOffset(line).value_or(-1)});
  }
  std::stable_sort(opened.begin(), opened.end(), [](const ViewerRequest& a, const ViewerRequest& b) {
    return kPressOrder.find(a.patchCode) < kPressOrder.find(b.patchCode);
  });
  return opened;
}

}  // namespace patchlore
