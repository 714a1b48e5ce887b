// The library from the main window: Options > Library... and opening a
// patch found there.
#include <numeric>

#include "library/library_browser.hpp"
#include "library/m1_patch_walk.hpp"
#include "library/patch_walk.hpp"
#include "library/ui/library_window.hpp"
#include "main_window/ui/window_director.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"

// Made at the first command and kept; indexing runs inside it, so it is
// hidden rather than destroyed when closed.
void WindowDirector::openLibrary() {
  if (!library_) {
    library_ = new LibraryWindow(patchlore::DefaultLibraryPath(), dialogs_);
    connect(library_, &LibraryWindow::patchChosen, this, &WindowDirector::openLibraryPatch);
    placeKept(library_, kLibraryMemory);
  }
  library_->show();
  library_->raise();
}

// The file as it is loaded, with its changes in memory; loaded when it is not.
void WindowDirector::openLibraryPatch(const QString& path, QChar kind, const QString& key) {
  using patchlore::PatchKind;
  const bool m1 = kind == QChar(static_cast<char>(PatchKind::M1Program)) ||
                  kind == QChar(static_cast<char>(PatchKind::M1Combination));
  if (const auto place = patchlore::M1PatchPlaceOf(key.toStdString()); m1 && place)
    return openLibraryM1Patch(path, place->message, place->patch);
  const patchlore::Result<int> index = core_.loadedOrOpened(path.toStdString());
  if (!index) return;  // ActionMsg says why
  const patchlore::Registry& registry = core_.registry();
  const std::vector<patchlore::CatalogueRequest> requests = core_.catalogueRequestsFor({*index});
  if (requests.empty()) return;
  ObjectBrowserWindow* window = openCatalogue(requests.front().index, requests.front().counter);
  window->selectRow(patchlore::CatalogueRowOfPatch(window->catalogue(), registry, kind.toLatin1(), key.toStdString()));
}

// The SysEx viewer of every message of the file, as it lists them after
// the catalogue's rows are all selected, at the patch's row.
void WindowDirector::openLibraryM1Patch(const QString& path, std::size_t message, std::size_t patch) {
  const patchlore::Result<int> index = core_.sysexLoadedOrOpened(path.toStdString());
  if (!index) return;  // ActionMsg says why
  const patchlore::Catalogue catalogue = core_.buildCatalogue(*index, 0);
  std::vector<int> rows(catalogue.rowCount());
  std::iota(rows.begin(), rows.end(), 0);
  for (const QPointer<ViewerWindow>& viewer : openViewers(patchlore::ViewerRequestsFor(catalogue, rows)))
    if (viewer) viewer->selectM1Patch(message, patch);
}
