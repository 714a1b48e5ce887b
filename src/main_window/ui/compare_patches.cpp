// The Compare Patches command and the viewers its rows open.
#include "library/ui/patch_comparison_window.hpp"
#include "main_window/ui/window_director.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/ui/viewer_window.hpp"

// Two files are chosen, A then B, each taken as it is loaded, with its
// changes in memory, or loaded as Open loads it; when either cannot be
// loaded the command ends there, its reason in ActionMsg.
void WindowDirector::comparePatches() {
  const patchlore::Result<int> a = core_.openOrTakeLoaded();
  if (!a) return;
  const patchlore::Result<int> b = core_.openOrTakeLoaded();
  if (!b) return;
  auto* window = new PatchComparisonWindow(core_.registry(), *a, *b);
  connect(window, &PatchComparisonWindow::patchViewRequested, this, &WindowDirector::openPatchViewer);
  adoptAndShow(window);
}

// The viewer of the catalogue row that lists the patch, with the patch's
// first row current.
void WindowDirector::openPatchViewer(int fileIndex, qint64 catalogueObject, qint64 offset) {
  const patchlore::Catalogue catalogue = core_.buildCatalogue(fileIndex, 0);
  const auto row = catalogue.rowOfObject(catalogueObject);
  if (!row) return;
  const auto requests = patchlore::ViewerRequestsFor(catalogue, {static_cast<int>(*row)});
  for (const QPointer<ViewerWindow>& viewer : openViewers(requests))
    if (viewer) viewer->selectPatchAt(offset);
}
