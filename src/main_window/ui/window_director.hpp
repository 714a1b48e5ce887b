// The windows the main window opens: catalogues and viewers, "Check PCG"
// listings, comparisons, the uses of a program, and the bank manager, name
// editor, MIDI ports and library windows. The director makes each one over
// the main window's cores, wires its requests to the windows they open,
// keeps the opened ones in the order they were last activated (so "Close"
// finds the active one and the Window commands arrange them) and deletes
// them all when it goes.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "main_window/main_window_core.hpp"

class BankManagerWindow;
class LibraryWindow;
class MidiPortsWindow;
class NameEditorWindow;
class ObjectBrowserWindow;
class ViewerWindow;
class QWidget;

namespace patchlore {
class MidiService;
struct ViewerShared;
struct ViewerRequest;
}  // namespace patchlore

class WindowDirector : public QObject {
  Q_OBJECT

 public:
  // mainWindow is the parent of the windows kept for the program's run (bank
  // manager, name editor, MIDI ports, library) and the one the others are
  // arranged beside; reporter lets events in during a comparison.
  WindowDirector(QWidget& mainWindow, patchlore::MainWindowCore& core, patchlore::ViewerShared& viewerShared,
                 patchlore::Dialogs& dialogs, patchlore::Reporter& reporter);
  // Every window it opened goes with it: they hold references to the cores.
  ~WindowDirector() override;

  ObjectBrowserWindow* openCatalogue(int index, int counter);
  // Every viewer of the request exists and shows its caption before the
  // first Show starts; each Show runs to its end before the next one. The
  // viewers opened; one that was closed meanwhile is null.
  QList<QPointer<ViewerWindow>> openViewers(const std::vector<patchlore::ViewerRequest>& requests);
  void checkFile();  // New: the "Check PCG" listing of a chosen file
  void compareFiles();
  void comparePatches();
  void openBankManager();
  // Lists the messages of the SysEx file among selectedRows, or of the one
  // loaded last.
  void openMidiPorts(const std::vector<int>& selectedRows);
  void openLibrary();

  void closeActiveWindow();
  void closeAll();
  void cascadeWindows();
  void tileWindows(Qt::Orientation orientation);
  void minimizeAllWindows();
  void arrangeWindows();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Starts tracking a window; it counts as the most recently active one.
  void adopt(QWidget* window);
  void adoptAndShow(QWidget* window);
  QWidget* mostRecentlyActive() const;
  QList<QWidget*> adoptedWindows() const;
  // Shown windows that are not minimized, in the order they were adopted.
  QList<QWidget*> arrangeableWindows() const;
  void moveToEnd(QWidget* window);
  void forget(QObject* window);
  QRect arrangementArea() const;
  void place(const QList<QWidget*>& windows, const QList<QRect>& places);

  void openPatchViewer(int fileIndex, qint64 catalogueObject, qint64 offset);
  void openUsedBy(int fileIndex, qint64 bankOffset, int patch);
  void openNameEditor(int fileIndex, qint64 bankOffset, int patch);
  // A patch found in the library: its file (loaded first when it is not) and
  // its catalogue with the patch's row selected.
  void openLibraryPatch(const QString& path, QChar kind, const QString& key);

  QWidget& mainWindow_;
  patchlore::MainWindowCore& core_;
  patchlore::ViewerShared& viewerShared_;
  patchlore::Dialogs& dialogs_;
  patchlore::Reporter& reporter_;

  QList<QPointer<QWidget>> adopted_;       // adoption order
  QList<QPointer<QWidget>> byActivation_;  // most recent last
  BankManagerWindow* bankManager_ = nullptr;
  NameEditorWindow* nameEditor_;  // made hidden, reused for every patch
  std::unique_ptr<patchlore::MidiService> midiService_;  // made with the MIDI ports window
  MidiPortsWindow* midiPorts_ = nullptr;
  LibraryWindow* library_ = nullptr;
};
