// The windows the director opens and what each one's requests open in turn:
// catalogues open viewers, viewers open the name editor and the table of a
// program's uses.
#include <QPointer>

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

ObjectBrowserWindow* WindowDirector::openCatalogue(int index, int counter) {
  auto* window = new ObjectBrowserWindow(core_.buildCatalogue(index, counter));
  window->placeOnPrimaryScreen();
  connect(window, &ObjectBrowserWindow::viewersRequested, this, &WindowDirector::openViewers);
  adoptAndShow(window);
  return window;
}

QList<QPointer<ViewerWindow>> WindowDirector::openViewers(const std::vector<patchlore::ViewerRequest>& requests) {
  QList<QPointer<ViewerWindow>> viewers;
  for (const patchlore::ViewerRequest& request : requests) {
    auto* viewer = new ViewerWindow(core_.workspace(), viewerShared_, dialogs_);
    viewer->Open(request);
    connect(viewer, &ViewerWindow::nameEditRequested, this, &WindowDirector::openNameEditor);
    connect(viewer, &ViewerWindow::usedByRequested, this, &WindowDirector::openUsedBy);
    adoptAndShow(viewer);
    viewers << viewer;
  }
  for (const QPointer<ViewerWindow>& viewer : viewers)
    if (viewer) viewer->core().pressShow();
  return viewers;
}

void WindowDirector::openNameEditor(int fileIndex, qint64 bankOffset, int patch) {
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
  if (!bankManager_) bankManager_ = new BankManagerWindow(core_.workspace(), &mainWindow_);
  bankManager_->openFromCommand();
}

// Made at the first MIDI Ports command and kept. What it receives becomes a
// loaded file as if opened with Open As SysEx.
void WindowDirector::openMidiPorts(const std::vector<int>& selectedRows) {
  if (!midiPorts_) {
    midiService_ = std::make_unique<patchlore::RtMidiService>();
    midiPorts_ = new MidiPortsWindow(
        *midiService_, dialogs_,
        [this](patchlore::ByteBuffer bytes, const std::string& name) { (void)core_.addSysexImage(std::move(bytes), name); },
        &mainWindow_);
  }
  const int source = patchlore::SysexSourceIndex(core_.registry(), selectedRows);
  midiPorts_->openWithSource(source >= 0 ? core_.registry().image(source) : patchlore::Image{});
}
