#include "main_window/ui/main_window.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "main_window/ui/about_box.hpp"
#include "main_window/ui/loaded_files_list.hpp"
#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"
#include "ui/widgets.hpp"

namespace {

using patchlore::MainWindowPart;

// The log starts as a sliver; the user drags it taller when it is wanted.
constexpr int kLogDesignHeight = 3;

int ClampedToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

MainWindow::MainWindow(patchlore::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      core_(workspace_, dialogs, *this),
      windows_(*this, core_, viewerShared_, dialogs, *this),
      commands_(*this, commandTable()),
      aboutBox_(new AboutBox(this)) {
  setObjectName("MainViewForm");
  createMenusAndToolBar();
  createCentralArea();
  statusBar()->setObjectName("StatusBar");
  resize(512, 256);
  setAcceptDrops(true);
  showAll();
  connect(this, &MainWindow::catalogueRequested, &windows_, &WindowDirector::openCatalogue);
  connect(files_, &LoadedFilesList::cataloguesRequested, this, &MainWindow::openSelectedCatalogues);
  workspace_.subscribe(*this);
  showEditCommands();
#ifndef QT_NO_SESSIONMANAGER
  connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::commitSessionData, Qt::DirectConnection);
#endif
}

MainWindow::~MainWindow() { workspace_.unsubscribe(*this); }

void MainWindow::createCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  log_ = Named(new QListWidget(central), "View");
  log_->setMinimumHeight(kLogDesignHeight);

  auto* lower = new QWidget(central);
  auto* lowerLayout = new QVBoxLayout(lower);
  lowerLayout->setContentsMargins(0, 0, 0, 0);
  lowerLayout->setSpacing(0);
  loadedCountMsg_ = PlainLabel("MsgView", QString(), lower);
  lowerLayout->addWidget(loadedCountMsg_);
  files_ = new LoadedFilesList(lower);
  lowerLayout->addWidget(files_);

  auto* splitter = Named(new QSplitter(Qt::Vertical, central), "ViewSplitter");
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(log_);
  splitter->addWidget(lower);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kLogDesignHeight, QWIDGETSIZE_MAX});
  layout->addWidget(splitter, 1);

  actionMsg_ = PlainLabel("ActionMsg", QString(), central);
  actionMsg_->setFont(Bold(actionMsg_->font()));
  layout->addWidget(actionMsg_);

  progress_ = Named(new QProgressBar(central), "Progress");
  progress_->hide();
  layout->addWidget(progress_);

  setCentralWidget(central);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!confirmEnd()) {
    event->ignore();
    return;
  }
  windows_.closeAll();
  QMainWindow::closeEvent(event);
}

bool MainWindow::confirmEnd() {
  if (endConfirmedAt_ == historyChanges_) return true;
  if (!core_.mayClose()) return false;
  endConfirmedAt_ = historyChanges_;
  return true;
}

// The session ends: the one question about changed files is asked here, and
// Cancel keeps the session from ending.
void MainWindow::commitSessionData(QSessionManager& manager) {
#ifndef QT_NO_SESSIONMANAGER
  if (!manager.allowsInteraction()) return;
  const bool mayEnd = confirmEnd();
  manager.release();
  if (!mayEnd) manager.cancel();
#else
  (void)manager;
#endif
}

void MainWindow::historyChanged() {
  ++historyChanges_;
  files_->showChangedFiles(workspace_.changedFiles(), toQString(std::string(patchlore::kChangedFileTip)));
  showEditCommands();
}

// A "&" in a file name is shown as it is, not taken for a mnemonic.
void MainWindow::showEditCommands() {
  const auto show = [this](const char* name, const std::string& caption, bool enabled) {
    QAction* action = commands_.action(name);
    action->setText(toQString(caption).replace('&', "&&"));
    action->setEnabled(enabled);
  };
  show("EditUndo1", core_.undoCaption(), workspace_.history().toUndo() != nullptr);
  show("EditRedo1", core_.redoCaption(), workspace_.history().toRedo() != nullptr);
}

void MainWindow::openSelectedCatalogues() {
  for (const patchlore::CatalogueRequest& request : core_.catalogueRequestsFor(files_->selectedFileRows()))
    emit catalogueRequested(request.index, request.counter);
}

// ---- state onto widgets ----------------------------------------------------

void MainWindow::changed(MainWindowPart part) {
  const patchlore::MainWindowState& state = core_.state();
  switch (part) {
    case MainWindowPart::Caption: setWindowTitle(toQString(state.caption)); break;
    case MainWindowPart::ActionMsg: actionMsg_->setText(toQString(state.actionMsg)); break;
    case MainWindowPart::MsgView: loadedCountMsg_->setText(toQString(state.msgView)); break;
    // The log mostly grows by one line at a time.
    case MainWindowPart::View: AppendOrRebuildList(log_, state.view); break;
    case MainWindowPart::Progress: showProgress(); break;
    case MainWindowPart::Commands:
      showCommands();
      openWaitingGivenFiles();
      break;
    case MainWindowPart::Rows: files_->appendRowsFrom(core_.registry()); break;
    case MainWindowPart::ViewFont: showLogFont(); break;
  }
}

void MainWindow::pump() {
  if (!pump_.due()) return;
  pump_.process();
}

void MainWindow::showAll() {
  for (const MainWindowPart part :
       {MainWindowPart::Caption, MainWindowPart::ActionMsg, MainWindowPart::MsgView, MainWindowPart::View,
        MainWindowPart::Progress, MainWindowPart::Commands, MainWindowPart::Rows, MainWindowPart::ViewFont})
    changed(part);
}

void MainWindow::showProgress() {
  const patchlore::ProgressBar& progress = core_.state().progress;
  progress_->setRange(0, ClampedToInt(progress.maximum));
  progress_->setValue(ClampedToInt(progress.position));
  progress_->setVisible(progress.visible);
}

void MainWindow::showCommands() { commands_.enableLoads(!core_.state().loadRunning); }

void MainWindow::showLogFont() {
  const patchlore::FontChoice& chosen = core_.state().viewFont;
  QFont font = DesignFont(QString::fromStdString(chosen.family), chosen.pointSize, chosen.bold, QFont::TypeWriter);
  font.setItalic(chosen.italic);
  log_->setFont(font);
}
