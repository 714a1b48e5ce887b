// The viewer window (ViewerWindow): the objects of one kind chosen in an object
// browser, shown as a table with its switches, column check boxes, settings
// area (filters, export separator) and link to a PCG. All behaviour and texts
// live in ViewerCore; this window forwards its events there and copies the
// parts of the state the core reports as changed onto the widgets.
#pragma once

#include <QWidget>
#include <map>
#include <set>
#include <string>

#include "ui/event_pump.hpp"
#include "workspace/registry.hpp"
#include "common/services.hpp"
#include "viewer/viewer_core.hpp"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QStackedLayout;
class QTableView;
class TableModel;

class ViewerWindow : public QWidget, public patchlore::ViewerReporter {
  Q_OBJECT

 public:
  // Designed size; the window's creation makes it smaller (Open).
  static constexpr int kDesignWidth = 682;
  static constexpr int kDesignHeight = 551;
  static constexpr int kCreatedSize = 256;

  // registry, shared and dialogs outlive the window.
  ViewerWindow(patchlore::Registry& registry, patchlore::ViewerShared& shared,
            patchlore::Dialogs& dialogs, QWidget* parent = nullptr);
  // The table model reads the core's table: it is detached before the core goes.
  ~ViewerWindow() override;

  patchlore::ViewerCore& core() { return core_; }
  const patchlore::ViewerCore& core() const { return core_; }

  // The window's creation as the object browser makes it: the first Show,
  // then the request's caption and descriptor lines. Show is pressed later.
  void Open(const patchlore::ViewerRequest& request);
  // Makes the first row of the patch at offset the current row, when the
  // table lists it (programs and combinations).
  void selectPatchAt(std::int64_t offset);

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
  void fitSettingsHeight();
  void createMenu();
  void createBody();
  QWidget* createSwitches();
  QWidget* createSettings();
  QGroupBox* createExel();
  QGroupBox* createBankProgFilter();
  QGroupBox* createProgNameFilter();
  QWidget* createColumns();
  void createList(QWidget* parent);
  void requestNameEdit();
  void requestUsedBy();

  // Parts that a running Show changes row by row are copied when events are
  // processed and when the Show ends, not at every change.
  bool deferred(patchlore::ViewerPart part) const;
  void flush();
  void showCaption();
  void showSwitches();
  void showColumnBoxes();
  void showGroups();
  void showCommands();
  void showLinkBox();
  void showCoreTable();
  void showFilters();
  void showSettings();
  void showSeparator();
  void showHiddenLists();
  void afterFilterClick();

  patchlore::Dialogs& dialogs_;
  patchlore::ViewerCore core_;
  EventPump pump_;
  bool showRunning_ = false;  // as last seen, so the start of a Show is noticed
  std::set<patchlore::ViewerPart> dirty_;

  QAction* saveAs1_ = nullptr;
  QPushButton* show_ = nullptr;
  QCheckBox* sw1_ = nullptr;
  QCheckBox* sw2_ = nullptr;
  QCheckBox* sw3_ = nullptr;
  QCheckBox* checkOffset_ = nullptr;
  QLabel* linkMsg_ = nullptr;
  QListWidget* offsetBox_ = nullptr;
  QListWidget* offsetLines_ = nullptr;
  QListWidget* pcg_ = nullptr;
  QListWidget* sngByProg_ = nullptr;

  QScrollArea* body_ = nullptr;
  QScrollArea* settingsArea_ = nullptr;
  QGroupBox* groupSetting_ = nullptr;
  QGroupBox* groupExel_ = nullptr;
  QGroupBox* groupBankProgFilter_ = nullptr;
  QGroupBox* groupProgNameFilter_ = nullptr;
  QSpinBox* editSeparator_ = nullptr;
  QLabel* asciiChar_ = nullptr;
  QLabel* asciiCode_ = nullptr;
  QListWidget* boxExist_ = nullptr;
  QListWidget* boxSelect_ = nullptr;
  QLabel* countExist_ = nullptr;
  QLabel* countSelect_ = nullptr;
  QRadioButton* disProg_ = nullptr;
  QRadioButton* enaProg_ = nullptr;
  QPlainTextEdit* memoSubstr_ = nullptr;
  QLabel* countSubstr_ = nullptr;
  QLineEdit* chainStr_ = nullptr;
  QRadioButton* disName_ = nullptr;
  QRadioButton* enaName_ = nullptr;

  QLabel* msg_ = nullptr;
  QGroupBox* columns_ = nullptr;
  QStackedLayout* columnsPages_ = nullptr;
  std::map<std::string, QGroupBox*> columnGroups_;
  std::map<std::string, QCheckBox*> columnBoxes_;
  QListWidget* linkBox_ = nullptr;
  QTableView* listView1_ = nullptr;
  QAction* editName_ = nullptr;  // "Edit name...": programs and combinations only
  QAction* usedBy_ = nullptr;    // "Used by...": programs only
  TableModel* model_ = nullptr;
  QLabel* info_ = nullptr;
};
