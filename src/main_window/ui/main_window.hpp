// The main window: the log, the list of loaded files, the status texts, and
// the menus and toolbar that start every command. All behaviour and texts
// live in MainWindowCore; this window forwards events to it and copies its
// state onto the widgets.
#pragma once

#include <QList>
#include <QStringList>
#include <QMainWindow>
#include <memory>
#include <QPointer>

#include "ui/event_pump.hpp"
#include "main_window/main_window_core.hpp"
#include "common/table.hpp"
#include "common/midi_service.hpp"
#include "common/services.hpp"
#include "viewer/viewer_core.hpp"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QToolBar;
class QToolButton;
class QTreeView;
class TableModel;
class ChildWindows;
class AboutBox;
class BankManagerWindow;
class NameEditorWindow;
class MidiPortsWindow;
class LibraryWindow;
class ObjectBrowserWindow;
class ViewerWindow;

class MainWindow : public QMainWindow, public patchlore::MainWindowReporter {
  Q_OBJECT

 public:
  explicit MainWindow(patchlore::Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  patchlore::MainWindowCore& core() { return core_; }
  // What every viewer window shares (busy and cancel flags, record size,
  // export separator). It lives beside the registry the viewers read.
  patchlore::ViewerShared& viewerShared() { return viewerShared_; }

  // Windows opened from this one register here, so that "Close" and the
  // Window commands reach them and they are closed with the main window.
  void adoptChildWindow(QWidget* window);

  // Files named on the command line or dropped on the window: loaded one
  // after the other, each as Open (or Open As SysEx) would load it.
  void openGivenFiles(const QStringList& paths);

  void changed(patchlore::MainWindowPart part) override;
  void pump() override;

 signals:
  // A catalogue window is to be built for a loaded file.
  void catalogueRequested(int index, int counter);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* addCommand(const char* name, const char* caption, const char* shortcut,
                      const char* hint);
  void createCommands();
  void createFileCommands();
  void createEditCommands();
  void createWindowCommands();
  void createMenus();
  void createToolBar();
  void createCentralArea();
  void createOpenList();
  QMenu* addMenu(const char* name, const char* caption, const char* hint);
  void addMenuItem(QMenu* menu, const char* itemName, QAction* action);
  QToolButton* addToolButton(QToolBar* toolBar, const char* name, QAction* action, bool visible);
  QAction* command(const char* name) const;

  void checkFile();
  void compareFiles();
  void comparePatches();
  void openPatchViewer(int fileIndex, qint64 catalogueObject, qint64 offset);
  void openUsedBy(int fileIndex, qint64 bankOffset, int patch);
  void closeActiveWindow();
  void showAbout();
  void openBankManager();
  void openMidiPorts();
  ObjectBrowserWindow* openCatalogue(int index, int counter);
  void openLibrary();
  // A patch found in the library: its file (loaded first when it is not) and
  // its catalogue with the patch's row selected.
  void openLibraryPatch(const QString& path, QChar kind, const QString& key);
  void selectAllFiles();
  std::vector<int> selectedFileRows() const;  // rows of OpenList, as selected
  void openSelectedCatalogues();
  // The viewers opened, their Shows run; one that was closed meanwhile is null.
  QList<QPointer<ViewerWindow>> openViewers(const std::vector<patchlore::ViewerRequest>& requests);
  void openNameEditor(int fileIndex, qint64 bankOffset, int patch);
  QRect arrangementArea() const;
  void cascadeWindows();
  void tileWindows(Qt::Orientation orientation);
  void minimizeAllWindows();
  void arrangeWindows();
  void placeChildren(const QList<QWidget*>& windows, const QList<QRect>& places);

  void showAll();
  void showView();
  void showProgress();
  void showCommands();
  void openWaitingGivenFiles();
  void appendRows();
  void showViewFont();

  patchlore::Dialogs& dialogs_;
  patchlore::Workspace workspace_;
  patchlore::MainWindowCore core_;
  patchlore::ViewerShared viewerShared_;
  ChildWindows* children_;
  AboutBox* aboutBox_;
  BankManagerWindow* bankManager_ = nullptr;
  NameEditorWindow* nameEditor_;  // created hidden, reused for every patch
  std::unique_ptr<patchlore::MidiService> midiService_;  // made with the MIDI ports window
  MidiPortsWindow* midiPorts_ = nullptr;
  LibraryWindow* library_ = nullptr;
  EventPump pump_;

  QAction* fileOpen1_ = nullptr;
  QAction* fileOpenAsSysEx1_ = nullptr;
  QAction* fileImportSmf1_ = nullptr;
  QAction* compareFiles_ = nullptr;
  QAction* comparePatches_ = nullptr;
  QListWidget* view_ = nullptr;
  QLabel* msgView_ = nullptr;
  patchlore::Table files_;  // the rows of OpenList, one per loaded file
  TableModel* filesModel_ = nullptr;
  QTreeView* openList_ = nullptr;
  QLabel* actionMsg_ = nullptr;
  QProgressBar* progress_ = nullptr;
};
