// The viewer window (ViewerWindow): the objects of one kind chosen in an object
// browser, shown as a table with its switches, column check boxes, settings
// area (filters, export separator) and link to a PCG. All behaviour and texts
// live in ViewerCore; this window forwards its events there and copies the
// parts of the state the core reports as changed onto the widgets. The
// settings area and the column check boxes are panels of their own; the
// window holds the frame around them: menus, top controls, link controls,
// messages and the table, with the keyboard map beside the table of
// combinations and songs. When the image it shows changes (a Write, a
// rename, an undo), it shows again by itself, keeping its selection and
// scroll position.
#pragma once

#include <QWidget>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "common/services.hpp"
#include "ui/event_pump.hpp"
#include "viewer/viewer_core.hpp"
#include "workspace/workspace.hpp"

class ColumnBoxesPanel;
class KeyboardMapPane;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QStackedLayout;
class QSplitter;
class QTableView;
class TableModel;
class ViewerSettingsPanel;

class ViewerWindow : public QWidget, public patchlore::ViewerReporter, private patchlore::WorkspaceObserver {
  Q_OBJECT

 public:
  // Designed size; the window's creation makes it smaller (Open).
  static constexpr int kDesignWidth = 682;
  static constexpr int kDesignHeight = 551;
  static constexpr int kCreatedSize = 256;

  // workspace, shared and dialogs outlive the window.
  ViewerWindow(patchlore::Workspace& workspace, patchlore::ViewerShared& shared,
            patchlore::Dialogs& dialogs, QWidget* parent = nullptr);
  // The table model reads the core's table: it is detached before the core
  // goes. The window no longer hears of the workspace.
  ~ViewerWindow() override;

  patchlore::ViewerCore& core() { return core_; }
  const patchlore::ViewerCore& core() const { return core_; }

  // The window's creation as the object browser makes it: the first Show,
  // then the request's caption and descriptor lines. Show is pressed later.
  void Open(const patchlore::ViewerRequest& request);
  // Makes the first row of the patch at offset the current row, when the
  // table lists it (programs and combinations).
  void selectPatchAt(std::int64_t offset);
  // Makes the row of patch k of the M1 dump of message m current (a SysEx
  // viewer), when the table lists it.
  void selectM1Patch(std::size_t message, std::size_t patch);
  // The size at which the table shows all its columns and that many rows,
  // with every control above and below it.
  QSize sizeShowingRows(int rows) const;

  void changed(patchlore::ViewerPart part) override;
  void pump() override;

 signals:
  // "Edit name..." on a row of a program or combination: the patch the row
  // belongs to, for the name editor that the main window opens.
  void nameEditRequested(int fileIndex, qint64 bankOffset, int patch);
  // "Used by..." on a row of a program: the patch the row belongs to, for the
  // table of what uses it that the main window opens.
  void usedByRequested(int fileIndex, qint64 bankOffset, int patch);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The settings area takes half the height below its top, less four status
  // lines, and never less than its designed height; its groups scroll inside.
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Where the user is in the table: the selected runs of rows, the current
  // cell and the scroll position.
  struct TablePlace {
    std::vector<std::pair<int, int>> selectedRuns;  // first and last row
    int currentRow = -1;
    int currentColumn = -1;
    int vertical = 0;
    int horizontal = 0;
  };

  void imageChanged(int index) override;
  // Show again, as pressing Show, at the same place in the table; while this
  // viewer's own Show runs, once it has ended.
  void showAgain();
  // The row current and at the top of the table; nothing when there is none.
  void makeCurrent(std::optional<std::size_t> row);
  TablePlace tablePlace() const;
  void goTo(const TablePlace& place);

  void createMenu();
  void createBody();
  QWidget* createTopControls();
  void createHiddenLists(QWidget* parent);
  QWidget* createColumnsFrame();
  QTableView* createTable(QWidget* parent);
  // The table, and the keyboard map beside it for combinations and songs.
  QWidget* createTableAndMap(QWidget* parent);
  void restoreMapWidth();
  void createViewMenu(QMenuBar* bar);
  // The row the keyboard map follows: the current row while it is selected,
  // else the first selected row, else the current one; -1 for none.
  int mapRow() const;
  void updateKeyboardMap();
  void showKeyboardMap(bool shown);
  void selectRow(int row);
  void saveKeyboardMap();
  void requestNameEdit();
  void printTable();
  void requestUsedBy();

  // Parts that a running Show changes row by row are copied when events are
  // processed and when the Show ends, not at every change.
  bool deferred(patchlore::ViewerPart part) const;
  void flush();
  void showPart(patchlore::ViewerPart part);
  void showSwitches();
  void showCommands();
  void showLinkBox();
  void showHiddenLists();
  void fitSettingsHeight();

  patchlore::Workspace& workspace_;
  patchlore::Dialogs& dialogs_;
  patchlore::ViewerCore core_;
  bool showAgainPending_ = false;  // the image changed while a Show of this viewer ran
  EventPump pump_;
  bool showRunning_ = false;  // as last seen, so the start of a Show is noticed
  std::set<patchlore::ViewerPart> dirty_;

  QScrollArea* body_ = nullptr;
  QPushButton* showButton_ = nullptr;
  QCheckBox* byObject_ = nullptr;     // SW1
  QCheckBox* bankOnce_ = nullptr;     // SW2
  QCheckBox* prefixes_ = nullptr;     // SW3
  QCheckBox* showOffsets_ = nullptr;  // checkOffset
  QLabel* linkMsg_ = nullptr;
  // Hidden lists of the core's working state.
  QListWidget* descriptorLines_ = nullptr;  // offsetBox
  QListWidget* offsetLines_ = nullptr;
  QListWidget* linkedPcgNames_ = nullptr;   // Pcg
  QListWidget* songsByProgram_ = nullptr;   // SngByProg

  ViewerSettingsPanel* settings_ = nullptr;
  QLabel* msg_ = nullptr;
  QGroupBox* columnsFrame_ = nullptr;
  QStackedLayout* columnsPages_ = nullptr;  // the column boxes, or the PCGs to link
  ColumnBoxesPanel* columnBoxes_ = nullptr;
  QListWidget* linkCandidates_ = nullptr;   // LinkBox
  QTableView* table_ = nullptr;             // ListView1
  TableModel* tableModel_ = nullptr;
  QAction* editName_ = nullptr;  // "Edit name...": programs and combinations only
  QAction* usedBy_ = nullptr;    // "Used by...": programs only
  QLabel* info_ = nullptr;
  KeyboardMapPane* keyboardMap_ = nullptr;
  QSplitter* tableAndMap_ = nullptr;
  QMenu* viewMenu_ = nullptr;              // combinations and songs only
  QAction* keyboardMapShown_ = nullptr;    // "Keyboard Map", ticked while the pane shows
};
