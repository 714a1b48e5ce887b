#include "main_window/main_window_core.hpp"

#include <algorithm>

#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "formats/chunk_listing.hpp"

namespace patchlore {

MainWindowCore::MainWindowCore(Workspace& workspace, Dialogs& dialogs, MainWindowReporter& reporter)
    : workspace_(workspace), dialogs_(dialogs), reporter_(reporter) {}

std::optional<ChunkListingContent> MainWindowCore::checkFile() {
  const auto path = chooseFileToOpen();
  if (!path) return std::nullopt;
  reporter_.pump();
  const std::string shownPath = Utf8ToCp1251(*path);
  const ReadResult read = ReadWholeFile(*path);
  if (!read) {  // an empty listing would pass a failure off as an empty file
    if (read.failure().problem == ReadProblem::TooLarge)
      setActionMsg("ERROR: File too large to check <" + shownPath + "> Bytes:" +
                   std::to_string(read.failure().fileSize) + "; at most " +
                   std::to_string(kLargestLoadableFile) + " bytes can be read");
    else {
      setActionMsg("ERROR: Cannot read <" + shownPath + ">");
      addViewLine(std::string(kBaseCaption) + Utf8ToCp1251(read.failure().text));  // why, in the system's words
    }
    return std::nullopt;
  }
  return ChunkListingContent{"Check PCG <" + Utf8ToCp1251(NameOf(*path)) + ">",
                            CheckPcgListing(shownPath, read->bytes())};
}

void MainWindowCore::saveLog() {
  const auto chosen = dialogs_.saveFile(lastOpenDialogFile_, "");
  if (!chosen) return;
  std::string target = *chosen;
  if (ExtractFileExt(target) != ".txt") target = ChangeFileExt(target, ".txt");
  if (const Status written = WriteTextLines(target, state_.view); !written)
    setActionMsg("ERROR: Save failed. " + Utf8ToCp1251(written.failure().text));
  else
    setActionMsg("Saved <" + Utf8ToCp1251(target) + ">");
}

void MainWindowCore::chooseLogFont() { chooseLogFont(state_.viewFont); }

void MainWindowCore::chooseLogFont(const FontChoice& shown) {
  const auto chosen = dialogs_.chooseFont(shown);
  if (!chosen) return;
  state_.viewFont = *chosen;
  reporter_.changed(MainWindowPart::ViewFont);
  reporter_.changed(MainWindowPart::View);  // the lines are redrawn in the new font
}

std::vector<CatalogueRequest> MainWindowCore::catalogueRequestsFor(std::vector<int> selectedRows) {
  std::sort(selectedRows.begin(), selectedRows.end());
  std::vector<CatalogueRequest> requests;
  for (const int row : selectedRows) {
    if (!registry().contains(row)) continue;
    requests.push_back({row, catalogueCounter_++});
  }
  return requests;
}

Catalogue MainWindowCore::buildCatalogue(int index, int counter) {
  return std::move(buildCheckedCatalogue(index, counter).catalogue);
}

BuiltCatalogue MainWindowCore::buildCheckedCatalogue(int index, int counter) {
  setActionMsg("CreateFormOpen: iopen=" + std::to_string(index) + "; iForm=" + std::to_string(counter));
  BuiltCatalogue built = workspace_.catalogue(index, reporter_);
  built.catalogue.counter = counter;
  if (!built.status) setActionMsg(built.status.failure().text);
  return built;
}

void MainWindowCore::setActionMsg(std::string text) {
  state_.actionMsg = std::move(text);
  reporter_.changed(MainWindowPart::ActionMsg);
}

void MainWindowCore::setCaption(std::string text) {
  state_.caption = std::move(text);
  reporter_.changed(MainWindowPart::Caption);
}

void MainWindowCore::setMsgView(std::string text) {
  state_.msgView = std::move(text);
  reporter_.changed(MainWindowPart::MsgView);
}

void MainWindowCore::clearView() {
  state_.view.clear();
  reporter_.changed(MainWindowPart::View);
}

void MainWindowCore::addViewLine(std::string line) {
  state_.view.push_back(std::move(line));
  reporter_.changed(MainWindowPart::View);
}

void MainWindowCore::setProgress(ProgressBar progress) {
  if (progress == state_.progress) return;
  state_.progress = progress;
  reporter_.changed(MainWindowPart::Progress);
}

void MainWindowCore::setLoadRunning(bool running) {
  state_.loadRunning = running;
  reporter_.changed(MainWindowPart::Commands);
}

}  // namespace patchlore
