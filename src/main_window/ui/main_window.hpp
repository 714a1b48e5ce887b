// The main window: the log, the list of loaded files, the status texts, and
// the menus and toolbar that start every command. All behaviour and texts
// live in MainWindowCore; this window forwards events to it and copies its
// state onto the widgets. The windows it opens are the WindowDirector's.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <vector>

#include "main_window/main_window_core.hpp"
#include "main_window/ui/command_table.hpp"
#include "main_window/ui/window_director.hpp"
#include "ui/event_pump.hpp"
#include "viewer/viewer_core.hpp"

class QLabel;
class QListWidget;
class QProgressBar;
class AboutBox;
class LoadedFilesList;

class QSessionManager;

class MainWindow : public QMainWindow, public patchlore::MainWindowReporter, private patchlore::WorkspaceObserver {
  Q_OBJECT

 public:
  explicit MainWindow(patchlore::Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  patchlore::MainWindowCore& core() { return core_; }
  // What every viewer window shares (busy and cancel flags, record size,
  // export separator). It lives beside the registry the viewers read.
  patchlore::ViewerShared& viewerShared() { return viewerShared_; }

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
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The changed marks of the list of loaded files and the Undo and Redo items.
  void historyChanged() override;
  void showEditCommands();
  // Whether the program may end: asks about changed files once, unless the
  // answer was given already (to the session's end) and nothing changed since.
  bool confirmEnd();
  void commitSessionData(QSessionManager& manager);

  std::vector<Command> commandTable();
  void createMenusAndToolBar();
  void createCentralArea();
  void openSelectedCatalogues();

  void showAll();
  void showProgress();
  void showCommands();
  void openWaitingGivenFiles();
  void showLogFont();

  patchlore::Workspace workspace_;
  patchlore::MainWindowCore core_;
  patchlore::ViewerShared viewerShared_;
  // The windows it opened read the cores above. Declared after them, the
  // director goes first and takes those windows with it; as children of this
  // window they would only be deleted after the cores were gone.
  WindowDirector windows_;
  CommandActions commands_;
  AboutBox* aboutBox_;
  EventPump pump_;

  QListWidget* log_ = nullptr;
  QLabel* loadedCountMsg_ = nullptr;
  LoadedFilesList* files_ = nullptr;
  QLabel* actionMsg_ = nullptr;
  QProgressBar* progress_ = nullptr;
  // Counts the changes of the history, so that an answer given to the
  // session's end is not asked again while it still holds.
  int historyChanges_ = 0;
  int endConfirmedAt_ = -1;
};
