// The windows the director opens and what each one's requests open in turn:
// catalogues open viewers, viewers open the name editor and the table of a
// program's uses.
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include "banks/ui/bank_manager_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "library/ui/used_by_window.hpp"
#include "library/used_by_list.hpp"
#include "main_window/ui/chunk_listing_window.hpp"
#include "main_window/ui/window_director.hpp"
#include "sysex/midi_ports.hpp"
#include "sysex/rtmidi_service.hpp"
#include "sysex/ui/midi_ports_window.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"

namespace {

// A catalogue shows up to so many rows without scrolling; a viewer opens
// showing about this many of its own, and never smaller than designed, so
// that its settings groups have room when opened.
constexpr int kCatalogueRowsShown = 40;
constexpr int kViewerRowsShown = 20;

}  // namespace

// A catalogue goes where its counter places it on the screen, as large as
// its rows need and inside the screen.
ObjectBrowserWindow* WindowDirector::openCatalogue(int index, int counter) {
  auto* window = new ObjectBrowserWindow(core_.buildCatalogue(index, counter));
  const QRect screen = mainWindow_.screen()->geometry();
  const patchlore::WindowPlace place = patchlore::CataloguePlacement(counter, screen.width(), screen.height());
  const QSize size = window->sizeShowingRows(kCatalogueRowsShown) + frameExtra(window);
  placeAt(window, patchlore::FitInside({place.left, place.top, size.width(), size.height()}, availableArea()));
  connect(window, &ObjectBrowserWindow::viewersRequested, this, &WindowDirector::openViewers);
  adopt(window);
  window->show();
  return window;
}

QList<QPointer<ViewerWindow>> WindowDirector::openViewers(const std::vector<patchlore::ViewerRequest>& requests) {
  QList<QPointer<ViewerWindow>> viewers;
  for (const patchlore::ViewerRequest& request : requests) {
    auto* viewer = new ViewerWindow(core_.workspace(), viewerShared_, dialogs_);
    viewer->Open(request);
    connect(viewer, &ViewerWindow::nameEditRequested, this, &WindowDirector::openNameEditor);
    connect(viewer, &ViewerWindow::usedByRequested, this, &WindowDirector::openUsedBy);
    if (!viewersOnTop_) viewer->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    adoptAndShow(viewer);
    viewers << viewer;
  }
  // Its columns are known once its first Show has run.
  for (const QPointer<ViewerWindow>& viewer : viewers) {
    if (!viewer) continue;
    viewer->core().pressShow();
    if (!viewer) continue;  // closed while its Show let events in
    growInside(viewer, viewer->sizeShowingRows(kViewerRowsShown)
                           .expandedTo({ViewerWindow::kDesignWidth, ViewerWindow::kDesignHeight}));
  }
  return viewers;
}

void WindowDirector::openNameEditor(int fileIndex, qint64 bankOffset, int patch) {
  if (!nameEditorPlaced_) placeKept(nameEditor_, kNameEditorMemory);
  nameEditorPlaced_ = true;
  nameEditor_->openPatch(fileIndex, bankOffset, patch);
}

void WindowDirector::openUsedBy(int fileIndex, qint64 bankOffset, int patch) {
  adoptAndShow(new UsedByWindow(patchlore::ListUsesOf(core_.registry(), fileIndex, bankOffset, patch)));
}

void WindowDirector::checkFile() {
  if (const auto content = core_.checkFile()) adoptAndShow(new ChunkListingWindow(*content));
}

// Made at the first Bank Manager command and kept, with its choices, until
// the main window closes.
void WindowDirector::openBankManager() {
  if (!bankManager_) {
    bankManager_ = new BankManagerWindow(core_.workspace());
    placeKept(bankManager_, kBankManagerMemory);
  }
  bankManager_->openFromCommand();
}

// Made at the first MIDI Ports command and kept. What it receives becomes a
// loaded file as if opened with Open As SysEx.
void WindowDirector::openMidiPorts(const std::vector<int>& selectedRows) {
  if (!midiPorts_) {
    midiService_ = std::make_unique<patchlore::RtMidiService>();
    midiPorts_ = new MidiPortsWindow(
        *midiService_, dialogs_,
        [this](patchlore::ByteBuffer bytes, const std::string& name) { (void)core_.addSysexImage(std::move(bytes), name); });
    placeKept(midiPorts_, kMidiPortsMemory);
  }
  const int source = patchlore::SysexSourceIndex(core_.registry(), selectedRows);
  midiPorts_->openWithSource(source >= 0 ? core_.registry().image(source) : patchlore::Image{});
}
