// The windows the main window opens: catalogues and viewers, "Check PCG"
// listings, comparisons, the uses of a program, and the bank manager, name
// editor, MIDI ports and library windows. The director makes each one over
// the main window's cores, wires its requests to the windows they open,
// keeps the opened ones in the order they were last activated (so "Close"
// finds the active one and the Window commands arrange them) and deletes
// them all when it goes. It places each new window a step from the one
// opened before it, inside the screen, and remembers between runs where the
// windows kept for the run were.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "main_window/main_window_core.hpp"
#include "main_window/window_places.hpp"

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
  // mainWindow is the window the others are placed from and arranged beside,
  // and the parent of the name editor, which stays above it; reporter lets
  // events in during a comparison.
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
  // The program ends: where the windows kept for the run are is remembered,
  // and every window closes.
  void closeAll();
  // Viewers open and to come stay above the other windows, or not.
  void setViewersStayOnTop(bool onTop);
  void cascadeWindows();
  void tileWindows(Qt::Orientation orientation);
  void minimizeAllWindows();
  void arrangeWindows();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Starts tracking a window; it counts as the most recently active one.
  void adopt(QWidget* window);
  // A new window of its own size, a cascade step from the last one.
  void adoptAndShow(QWidget* window);
  // The part of the main window's screen that windows may take.
  patchlore::Box availableArea() const;
  QSize frameExtra(const QWidget* window) const;
  void placeAt(QWidget* window, const patchlore::Box& place);
  void placeNew(QWidget* window);
  // The window grown to size where the screen allows, staying where it is
  // unless it would leave the screen.
  void growInside(QWidget* window, QSize size);
  // A window kept for the run, shown for the first time: where it was when
  // the program last ended, or placed as a new window.
  void placeKept(QWidget* window, const char* memoryKey);
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
  // An M1 program or combination found there: its file loaded as SysEx and
  // the SysEx viewer at the patch's row.
  void openLibraryM1Patch(const QString& path, std::size_t message, std::size_t patch);

  // The windows kept for the run, by the names their places are remembered under.
  static constexpr const char* kBankManagerMemory = "BankManager";
  static constexpr const char* kNameEditorMemory = "NameEditor";
  static constexpr const char* kMidiPortsMemory = "MidiPorts";
  static constexpr const char* kLibraryMemory = "Library";

  QWidget& mainWindow_;
  patchlore::MainWindowCore& core_;
  patchlore::ViewerShared& viewerShared_;
  patchlore::Dialogs& dialogs_;
  patchlore::Reporter& reporter_;

  std::optional<patchlore::Box> lastPlaced_;  // the new window placed last
  bool viewersOnTop_ = true;
  QList<QPointer<QWidget>> adopted_;       // adoption order
  QList<QPointer<QWidget>> byActivation_;  // most recent last
  BankManagerWindow* bankManager_ = nullptr;
  NameEditorWindow* nameEditor_;  // made hidden, reused for every patch
  bool nameEditorPlaced_ = false;  // placed when first shown
  std::unique_ptr<patchlore::MidiService> midiService_;  // made with the MIDI ports window
  MidiPortsWindow* midiPorts_ = nullptr;
  LibraryWindow* library_ = nullptr;
};
