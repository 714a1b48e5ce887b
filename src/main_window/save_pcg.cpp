// The Save Pcg command of the main window: the image of each selected loaded
// file, changed or not, written to a file chosen in the save dialog; and the
// question about changed files before the program ends.
#include <algorithm>
#include <filesystem>
#include <optional>

#include "main_window/main_window_core.hpp"
#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"

namespace patchlore {

void MainWindowCore::savePcg(std::vector<int> selectedRows) {
  if (std::none_of(selectedRows.begin(), selectedRows.end(), [this](int row) { return registry().contains(row); })) {
    setActionMsg("Save Pcg: select the files to save in the list first");
    return;
  }
  std::sort(selectedRows.begin(), selectedRows.end());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  std::optional<std::string> failure;
  for (const int row : selectedRows) {
    if (!registry().contains(row)) continue;
    const auto chosen = dialogs_.saveFile(NameOf(registry().savePath(row)), "");
    if (!chosen) continue;  // this row only
    std::error_code ignored;
    if (std::filesystem::exists(*chosen, ignored) &&
        !dialogs_.askYesNo("File exist!!! Do you really want to rewrite <" + Utf8ToCp1251(NameOf(*chosen)) +
                           "> ?"))
      break;  // nor any later row
    if (!saveImage(row, *chosen)) failure = state_.actionMsg;
  }
  // A later save that worked must not hide one that failed.
  if (failure && state_.actionMsg != *failure) setActionMsg(*failure);
}

bool MainWindowCore::saveImage(int index, const std::string& path) {
  // The row's Bytes is the size of the image read; the whole image is written,
  // over a temporary file, so a failure leaves the old file as it was.
  const Status written = workspace_.writeImage(index, path);
  if (!written)
    setActionMsg("ERROR: Save failed. " + Utf8ToCp1251(written.failure().text));
  else
    setActionMsg("Saved <" + Utf8ToCp1251(path) + ">");
  return written.ok();
}

bool MainWindowCore::mayClose() {
  const std::vector<int> changed = workspace_.changedFiles();
  if (changed.empty()) return true;
  std::string question = "Save the changes of these files before closing?";
  for (const int index : changed) question += Concat({"\n", std::to_string(index), ":", registry().name(index)});
  switch (dialogs_.askAboutUnsavedChanges(question)) {
    case UnsavedChangesAnswer::Discard: return true;
    case UnsavedChangesAnswer::Cancel: return false;
    case UnsavedChangesAnswer::Save: break;
  }
  savePcg(changed);
  return workspace_.changedFiles().empty();  // a save cancelled or failed keeps the program open
}

}  // namespace patchlore
