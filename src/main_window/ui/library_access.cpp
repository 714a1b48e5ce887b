// The library from the main window: Options > Library... and opening a
// patch found there.
#include "library/library_browser.hpp"
#include "library/ui/library_window.hpp"
#include "main_window/ui/window_director.hpp"
#include "viewer/ui/object_browser_window.hpp"

// Made at the first command and kept; indexing runs inside it, so it is
// hidden rather than destroyed when closed.
void WindowDirector::openLibrary() {
  if (!library_) {
    library_ = new LibraryWindow(patchlore::DefaultLibraryPath(), dialogs_, &mainWindow_);
    connect(library_, &LibraryWindow::patchChosen, this, &WindowDirector::openLibraryPatch);
  }
  library_->show();
  library_->raise();
}

// The file as it is loaded, with its changes in memory; loaded when it is not.
void WindowDirector::openLibraryPatch(const QString& path, QChar kind, const QString& key) {
  const patchlore::Result<int> index = core_.loadedOrOpened(path.toStdString());
  if (!index) return;  // ActionMsg says why
  const patchlore::Registry& registry = core_.registry();
  const std::vector<patchlore::CatalogueRequest> requests = core_.catalogueRequestsFor({*index});
  if (requests.empty()) return;
  ObjectBrowserWindow* window = openCatalogue(requests.front().index, requests.front().counter);
  window->selectRow(patchlore::CatalogueRowOfPatch(window->catalogue(), registry, kind.toLatin1(), key.toStdString()));
}
