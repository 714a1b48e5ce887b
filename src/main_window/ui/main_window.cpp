#include "main_window/ui/main_window.hpp"
#include "main_window/ui/toolbar_images.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "main_window/ui/about_box.hpp"
#include "main_window/ui/chunk_listing_window.hpp"
#include "main_window/ui/child_windows.hpp"
#include "ui/column_fit.hpp"
#include "ui/design_font.hpp"
#include "ui/font_conversion.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_model.hpp"
#include "main_window/ui/window_arrangement.hpp"
#include "banks/ui/bank_manager_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "sysex/import_midi_file.hpp"
#include "sysex/midi_ports.hpp"
#include "sysex/rtmidi_service.hpp"
#include "sysex/ui/midi_ports_window.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"

namespace {

using patchlore::MainWindowPart;

// Long loops ask for pending events often; serving them more often than this
// would cost more than the work itself.
// The log starts as a sliver; the user drags it taller when it is wanted.
constexpr int kViewDesignHeight = 3;
const QColor kInfoBackground(0xFF, 0xFF, 0xE1);
const QColor kGridLine(0xC0, 0xC0, 0xC0);

// Cells of the list of loaded files drawn with grid lines on their right and
// bottom edges, the look of a report-style list view with a grid.
class GridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(kGridLine);
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
  }
};

// A hint holds a short text for the tooltip and, after "|", a long one for
// the status bar; without "|" both are the whole hint.
void SetHint(QAction* action, const QString& hint) {
  const qsizetype bar = hint.indexOf('|');
  action->setToolTip(bar < 0 ? hint : hint.left(bar));
  action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QLabel* PlainLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // file names in "<...>" are no markup
  return label;
}

int ClampedToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

// Cut, copy and paste work on the focused edit control, whatever its kind.
void OnFocusedEdit(const char* slot) {
  QWidget* focused = QApplication::focusWidget();
  if (qobject_cast<QLineEdit*>(focused) || qobject_cast<QPlainTextEdit*>(focused) ||
      qobject_cast<QTextEdit*>(focused))
    QMetaObject::invokeMethod(focused, slot);
}

}  // namespace

MainWindow::MainWindow(patchlore::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      core_(workspace_, dialogs, *this),
      children_(new ChildWindows(this)),
      aboutBox_(new AboutBox(this)),
      nameEditor_(new NameEditorWindow(core_.registry(), this)) {
  setObjectName("MainViewForm");
  createCommands();
  createMenus();
  createToolBar();
  createCentralArea();
  statusBar()->setObjectName("StatusBar");
  resize(512, 256);
  setAcceptDrops(true);
  showAll();
  connect(this, &MainWindow::catalogueRequested, this, &MainWindow::openCatalogue);
}

ObjectBrowserWindow* MainWindow::openCatalogue(int index, int counter) {
  auto* window = new ObjectBrowserWindow(core_.buildCatalogue(index, counter));
  window->placeOnPrimaryScreen();
  connect(window, &ObjectBrowserWindow::viewersRequested, this, &MainWindow::openViewers);
  adoptChildWindow(window);
  window->show();
  return window;
}

// The list's model reads files_, which goes before the model does; the MIDI
// ports window uses the MIDI service, which goes before the children do.
MainWindow::~MainWindow() {
  filesModel_->show(nullptr);
  delete midiPorts_;
}

void MainWindow::adoptChildWindow(QWidget* window) { children_->adopt(window); }

// Made at the first Bank Manager command and kept, with its choices, until
// the main window closes.
void MainWindow::openBankManager() {
  if (!bankManager_) bankManager_ = new BankManagerWindow(core_.registry(), this);
  bankManager_->openFromCommand();
}

// Made at the first MIDI Ports command and kept. It lists the messages of
// the SysEx file selected in OpenList, or of the one loaded last; what it
// receives becomes a loaded file as if opened with Open As SysEx.
void MainWindow::openMidiPorts() {
  if (!midiPorts_) {
    midiService_ = std::make_unique<patchlore::RtMidiService>();
    midiPorts_ = new MidiPortsWindow(
        *midiService_, dialogs_,
        [this](patchlore::ByteBuffer bytes, const std::string& name) { core_.addSysexImage(std::move(bytes), name); },
        this);
  }
  const int source = patchlore::SysexSourceIndex(core_.registry(), selectedFileRows());
  midiPorts_->openWithSource(source >= 0 ? core_.registry().image(source) : patchlore::Image{});
}

// ---- components ------------------------------------------------------------

QAction* MainWindow::addCommand(const char* name, const char* caption, const char* shortcut,
                                   const char* hint) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setShortcut(QKeySequence(shortcut));
  SetHint(action, hint);
  addAction(action);  // its shortcut works wherever the focus is in this window
  return action;
}

void MainWindow::createCommands() {
  createFileCommands();
  createEditCommands();
  createWindowCommands();
  connect(addCommand("FontSet", "&Font Setting", "Ctrl+F", "Font Setting|Font of the log"),
          &QAction::triggered, this, [this] { core_.chooseLogFont(toFontChoice(view_->font())); });
  QAction* bankManager =
      addCommand("BankManager", "&Bank Manager", "Ctrl+B", "Bank Manager|Copy banks between PCG files");
  bankManager->setIcon(ToolbarIcon(ToolbarImage::BankCopy, style()));
  connect(bankManager, &QAction::triggered, this, &MainWindow::openBankManager);
  connect(addCommand("LibraryOpen", "&Library...", "Ctrl+L", "Library|Find a patch among all your files"),
          &QAction::triggered, this, &MainWindow::openLibrary);
  connect(addCommand("MidiPorts", "&MIDI Ports...", "", "MIDI Ports|Send and receive SysEx messages"),
          &QAction::triggered, this, &MainWindow::openMidiPorts);
  connect(addCommand("HelpAbout1", "&About...", "", "About|Version of Patchlore and contact"),
          &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createFileCommands() {
  QAction* fileNew1 = addCommand("FileNew1", "&New", "Ctrl+N", "New|Create a new file");
  fileNew1->setIcon(ToolbarIcon(ToolbarImage::New, style()));
  connect(fileNew1, &QAction::triggered, this, &MainWindow::checkFile);

  fileOpen1_ = addCommand("FileOpen1", "&Open", "Ctrl+O", "Open|Open a file");
  fileOpen1_->setIcon(ToolbarIcon(ToolbarImage::Open, style()));
  connect(fileOpen1_, &QAction::triggered, this, [this] { core_.openFile(); });

  fileOpenAsSysEx1_ = addCommand("FileOpenAsSysEx1", "Open As Sys&Ex", "Ctrl+E", "");
  connect(fileOpenAsSysEx1_, &QAction::triggered, this,
          [this] { core_.openAsSysex(); });

  fileImportSmf1_ = addCommand("FileImportSmf1", "&Import SysEx from MIDI File...", "",
                               "Import SysEx from MIDI File|Load the SysEx messages of a MIDI file");
  connect(fileImportSmf1_, &QAction::triggered, this,
          [this] { core_.importSysexFromMidiFile(); });

  // The toolbar's Compare button stays hidden as designed; the menu item
  // reaches the command.
  compareFiles_ = addCommand("CompareFiles", "Compare files...", "", "Compare|Compare files");
  connect(compareFiles_, &QAction::triggered, this, &MainWindow::compareFiles);

  comparePatches_ = addCommand("ComparePatches", "Compare Patches...", "",
                               "Compare Patches|List the patches that differ between two files");
  connect(comparePatches_, &QAction::triggered, this, &MainWindow::comparePatches);

  connect(addCommand("FileClose1", "&Close", "", "Close|Close current file"), &QAction::triggered,
          this, &MainWindow::closeActiveWindow);

  QAction* fileSave1 = addCommand("FileSave1", "&Save", "Ctrl+S", "Save|Save current file");
  fileSave1->setIcon(ToolbarIcon(ToolbarImage::Save, style()));
  connect(fileSave1, &QAction::triggered, this, [this] { core_.saveLog(); });

  connect(addCommand("FileSavePcgItem", "Save &Pcg", "Ctrl+P", ""), &QAction::triggered, this,
          [this] { core_.savePcg(selectedFileRows()); });
  addCommand("FileSaveAs1", "Save &As...", "Ctrl+A", "Save As|Save current file with different name")
      ->setEnabled(false);  // no command behind it
  connect(addCommand("FileExit1", "E&xit", "", "Exit|Exit application"), &QAction::triggered, this,
          &QWidget::close);
}

void MainWindow::createEditCommands() {
  const struct {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* hint;
    ToolbarImage image;
    const char* editSlot;
  } edits[] = {
      {"EditCut1", "Cu&t", "Ctrl+X", "Cut|Cut the selection to the clipboard", ToolbarImage::Cut, "cut"},
      {"EditCopy1", "&Copy", "Ctrl+C", "Copy|Copy the selection to the clipboard", ToolbarImage::Copy,
       "copy"},
      {"EditPaste1", "&Paste", "Ctrl+V", "Paste|Insert the clipboard contents", ToolbarImage::Paste,
       "paste"},
  };
  for (const auto& edit : edits) {
    QAction* action = addCommand(edit.name, edit.caption, edit.shortcut, edit.hint);
    action->setIcon(ToolbarIcon(edit.image, style()));
    const char* slot = edit.editSlot;
    connect(action, &QAction::triggered, this, [slot] { OnFocusedEdit(slot); });
  }
}

void MainWindow::createWindowCommands() {
  QAction* cascade = addCommand("WindowCascade1", "&Cascade", "", "Cascade|Cascade the windows");
  cascade->setIcon(ToolbarIcon(ToolbarImage::Cascade, style()));
  connect(cascade, &QAction::triggered, this, &MainWindow::cascadeWindows);

  QAction* tileH = addCommand("WindowTileHorizontal1", "Tile &Horizontally", "",
                              "Tile Horizontally|Tile the windows one above the other");
  tileH->setIcon(ToolbarIcon(ToolbarImage::TileHorizontally, style()));
  connect(tileH, &QAction::triggered, this, [this] { tileWindows(Qt::Horizontal); });

  QAction* tileV = addCommand("WindowTileVertical1", "Tile &Vertically", "",
                              "Tile Vertically|Tile the windows side by side");
  tileV->setIcon(ToolbarIcon(ToolbarImage::TileVertically, style()));
  connect(tileV, &QAction::triggered, this, [this] { tileWindows(Qt::Vertical); });

  connect(addCommand("WindowMinimizeAll1", "&Minimize All", "", "Minimize All|Minimize the windows"),
          &QAction::triggered, this, &MainWindow::minimizeAllWindows);
  connect(addCommand("WindowArrange1", "&Arrange All", "", "Arrange All|Restore the windows"),
          &QAction::triggered, this, &MainWindow::arrangeWindows);
}

QMenu* MainWindow::addMenu(const char* name, const char* caption, const char* hint) {
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setStatusTip(hint);
  return menu;
}

// A menu item named like its action is the action itself. Any other item is
// a second entry that mirrors the action: its text, icon, hints, state and
// shortcut text. The working shortcut stays with the action alone, so that a
// key press is not ambiguous and starts the command once.
void MainWindow::addMenuItem(QMenu* menu, const char* itemName, QAction* action) {
  if (action->objectName() == itemName) {
    menu->addAction(action);
    return;
  }
  auto* item = new QAction(action->icon(), action->text(), menu);
  item->setObjectName(itemName);
  item->setToolTip(action->toolTip());
  item->setStatusTip(action->statusTip());
  item->setShortcut(action->shortcut());
  item->setShortcutContext(Qt::WidgetShortcut);
  const auto mirrorState = [item, action] {
    item->setEnabled(action->isEnabled());
    item->setVisible(action->isVisible());
  };
  mirrorState();
  connect(action, &QAction::changed, item, mirrorState);
  connect(item, &QAction::triggered, action, &QAction::trigger);
  menu->addAction(item);
}

void MainWindow::createMenus() {
  menuBar()->setObjectName("MainMenu1");
  QMenu* file = addMenu("File1", "&File", "File related commands");
  addMenuItem(file, "FileNewItem", command("FileNew1"));
  addMenuItem(file, "FileOpenItem", fileOpen1_);
  addMenuItem(file, "FileOpenAsSysExItem", fileOpenAsSysEx1_);
  addMenuItem(file, "FileImportSmfItem", fileImportSmf1_);
  addMenuItem(file, "CompareFilesItem", compareFiles_);
  addMenuItem(file, "ComparePatchesItem", comparePatches_);
  addMenuItem(file, "FileCloseItem", command("FileClose1"));
  addMenuItem(file, "FileSaveItem", command("FileSave1"));
  addMenuItem(file, "FileSavePcgItem", command("FileSavePcgItem"));
  addMenuItem(file, "FileSaveAsItem", command("FileSaveAs1"));
  file->addSeparator();
  addMenuItem(file, "FileExitItem", command("FileExit1"));

  QMenu* edit = addMenu("Edit1", "&Edit", "Edit commands");
  addMenuItem(edit, "CutItem", command("EditCut1"));
  addMenuItem(edit, "CopyItem", command("EditCopy1"));
  addMenuItem(edit, "PasteItem", command("EditPaste1"));

  QMenu* window = addMenu("Window1", "&Window", "Window related commands");
  addMenuItem(window, "WindowCascadeItem", command("WindowCascade1"));
  addMenuItem(window, "WindowTileItem", command("WindowTileHorizontal1"));
  addMenuItem(window, "WindowTileItem2", command("WindowTileVertical1"));
  addMenuItem(window, "WindowMinimizeItem", command("WindowMinimizeAll1"));
  addMenuItem(window, "WindowArrangeItem", command("WindowArrange1"));

  QMenu* options = addMenu("Options1", "Options", "");
  addMenuItem(options, "FontSet", command("FontSet"));
  addMenuItem(options, "BankCopy", command("BankManager"));
  addMenuItem(options, "LibraryItem", command("LibraryOpen"));
  addMenuItem(options, "MidiPorts", command("MidiPorts"));

  QMenu* help = addMenu("Help1", "&Help", "Help topics");
  addMenuItem(help, "HelpAboutItem", command("HelpAbout1"));
}

QAction* MainWindow::command(const char* name) const { return findChild<QAction*>(name); }

QToolButton* MainWindow::addToolButton(QToolBar* toolBar, const char* name, QAction* action,
                                          bool visible) {
  auto* button = new QToolButton(toolBar);
  button->setObjectName(name);
  if (action) button->setDefaultAction(action);
  // A widget on a toolbar is shown and hidden through its toolbar action.
  toolBar->addWidget(button)->setVisible(visible);
  return button;
}

void MainWindow::createToolBar() {
  auto* toolBar = addToolBar("ToolBar2");
  toolBar->setObjectName("ToolBar2");
  toolBar->setMovable(false);
  addToolButton(toolBar, "ToolButton9", command("FileNew1"), true);
  addToolButton(toolBar, "ToolButton1", fileOpen1_, true);
  addToolButton(toolBar, "ToolButton2", command("FileSave1"), true);
  addToolButton(toolBar, "ToolButton4", command("EditCut1"), false);
  addToolButton(toolBar, "ToolButton5", command("EditCopy1"), false);
  addToolButton(toolBar, "ToolButton6", command("EditPaste1"), false);
  addToolButton(toolBar, "ToolButton8", command("WindowCascade1"), false);
  addToolButton(toolBar, "ToolButton10", command("WindowTileHorizontal1"), false);
  addToolButton(toolBar, "ToolButton11", command("WindowTileVertical1"), false);

  QToolButton* compare = addToolButton(toolBar, "ToolButton12", nullptr, false);
  compare->setText("Compare");
  compare->setToolTip("Compare files");
  compare->setIcon(ToolbarIcon(ToolbarImage::Compare, style()));
  connect(compare, &QToolButton::clicked, compareFiles_, &QAction::trigger);

  // Its own caption rather than the action's, so no default action.
  QAction* bankManager = command("BankManager");
  QToolButton* bankCopy = addToolButton(toolBar, "ToolButton13", nullptr, false);
  bankCopy->setText("Bank copy");
  bankCopy->setToolTip("Bank copy");
  bankCopy->setIcon(bankManager->icon());
  connect(bankCopy, &QToolButton::clicked, bankManager, &QAction::trigger);
}

void MainWindow::createCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  view_ = new QListWidget(central);
  view_->setObjectName("View");
  view_->setMinimumHeight(kViewDesignHeight);

  auto* lower = new QWidget(central);
  auto* lowerLayout = new QVBoxLayout(lower);
  lowerLayout->setContentsMargins(0, 0, 0, 0);
  lowerLayout->setSpacing(0);
  msgView_ = PlainLabel("MsgView", lower);
  lowerLayout->addWidget(msgView_);
  createOpenList();
  lowerLayout->addWidget(openList_);

  auto* splitter = new QSplitter(Qt::Vertical, central);
  splitter->setObjectName("ViewSplitter");
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(view_);
  splitter->addWidget(lower);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kViewDesignHeight, QWIDGETSIZE_MAX});
  layout->addWidget(splitter, 1);

  actionMsg_ = PlainLabel("ActionMsg", central);
  QFont bold = actionMsg_->font();
  bold.setBold(true);
  actionMsg_->setFont(bold);
  layout->addWidget(actionMsg_);

  progress_ = new QProgressBar(central);
  progress_->setObjectName("Progress");
  progress_->hide();
  layout->addWidget(progress_);

  setCentralWidget(central);
}

void MainWindow::createOpenList() {
  for (const patchlore::ListColumn& column : patchlore::FileListColumns())
    files_.columns.push_back({column.caption, column.width, column.rightAligned});
  filesModel_ = new TableModel(this);
  filesModel_->show(&files_);
  openList_ = new QTreeView;
  openList_->setObjectName("OpenList");
  openList_->setModel(filesModel_);
  openList_->setRootIsDecorated(false);
  openList_->setItemsExpandable(false);
  openList_->setUniformRowHeights(true);
  openList_->setSortingEnabled(false);
  openList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  openList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  openList_->setAllColumnsShowFocus(true);
  openList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  openList_->setItemDelegate(new GridLineDelegate(openList_));

  openList_->setFont(DesignFont("MS Sans Serif", 8, true));
  QPalette palette = openList_->palette();
  palette.setColor(QPalette::Base, kInfoBackground);
  openList_->setPalette(palette);

  QHeaderView* headerView = openList_->header();
  headerView->setStretchLastSection(false);
  headerView->setSectionsMovable(false);
  headerView->setSectionsClickable(true);
  new ColumnFit(openList_, headerView, filesModel_);

  connect(headerView, &QHeaderView::sectionClicked, this, &MainWindow::selectAllFiles);
  headerView->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(headerView, &QWidget::customContextMenuRequested, this,
          &MainWindow::openSelectedCatalogues);
  openList_->viewport()->installEventFilter(this);
}

// ---- events ----------------------------------------------------------------

// The double-click is taken before the list sees it, so it acts on the rows
// selected at that moment.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == openList_->viewport() && event->type() == QEvent::MouseButtonDblClick)
    openSelectedCatalogues();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  children_->closeAll();
  QMainWindow::closeEvent(event);
}

void MainWindow::checkFile() {
  const auto content = core_.checkFile();
  if (!content) return;
  auto* window = new ChunkListingWindow(*content);
  adoptChildWindow(window);
  window->show();
}

void MainWindow::closeActiveWindow() {
  if (QWidget* window = children_->mostRecentlyActive()) window->close();
}

void MainWindow::showAbout() { aboutBox_->exec(); }

void MainWindow::selectAllFiles() { openList_->selectAll(); }

std::vector<int> MainWindow::selectedFileRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : openList_->selectionModel()->selectedRows()) rows.push_back(index.row());
  return rows;
}

void MainWindow::openSelectedCatalogues() {
  for (const patchlore::CatalogueRequest& request : core_.catalogueRequestsFor(selectedFileRows()))
    emit catalogueRequested(request.index, request.counter);
}

// Every viewer of the command exists and shows its caption before the first
// Show starts; each Show runs to its end before the next one.
QList<QPointer<ViewerWindow>> MainWindow::openViewers(const std::vector<patchlore::ViewerRequest>& requests) {
  QList<QPointer<ViewerWindow>> viewers;
  for (const patchlore::ViewerRequest& request : requests) {
    auto* viewer = new ViewerWindow(core_.registry(), viewerShared_, dialogs_);
    viewer->Open(request);
    connect(viewer, &ViewerWindow::nameEditRequested, this, &MainWindow::openNameEditor);
    connect(viewer, &ViewerWindow::usedByRequested, this, &MainWindow::openUsedBy);
    adoptChildWindow(viewer);
    viewer->show();
    viewers << viewer;
  }
  for (const QPointer<ViewerWindow>& viewer : viewers)
    if (viewer) viewer->core().pressShow();
  return viewers;
}

void MainWindow::openNameEditor(int fileIndex, qint64 bankOffset, int patch) {
  nameEditor_->openPatch(fileIndex, bankOffset, patch);
}

// Children are arranged beside or below the main window, never over it.
QRect MainWindow::arrangementArea() const {
  return AreaBeside(screen()->availableGeometry(), frameGeometry());
}

void MainWindow::cascadeWindows() {
  const QList<QWidget*> windows = children_->arrangeable();
  placeChildren(windows, CascadePlaces(arrangementArea(), windows.size()));
}

void MainWindow::tileWindows(Qt::Orientation orientation) {
  const QList<QWidget*> windows = children_->arrangeable();
  QSize minimum;
  for (QWidget* window : windows) {
    const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    minimum = minimum.expandedTo(window->minimumSize() + frameExtra);
  }
  placeChildren(windows, TilePlaces(arrangementArea(), windows.size(), orientation, minimum));
}

void MainWindow::minimizeAllWindows() {
  for (QWidget* window : children_->all())
    if (!window->isHidden()) window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

// Independent windows have no icons to line up inside a frame; arranging
// them brings every minimized one back and lines all of them up at their
// sizes beside the main window.
void MainWindow::arrangeWindows() {
  QList<QWidget*> windows;
  QList<QSize> sizes;
  for (QWidget* window : children_->all()) {
    if (window->isHidden()) continue;
    if (window->isMinimized()) window->showNormal();
    windows << window;
    sizes << window->frameGeometry().size();
  }
  placeChildren(windows, LineUpPlaces(arrangementArea(), sizes));
}

// places are frame rectangles: the frame a window manager adds is taken off.
void MainWindow::placeChildren(const QList<QWidget*>& windows, const QList<QRect>& places) {
  for (qsizetype i = 0; i < windows.size() && i < places.size(); ++i) {
    QWidget* window = windows[i];
    const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    window->resize(places[i].size() - frameExtra);
    window->move(places[i].topLeft());
    window->raise();
  }
}

// ---- state onto widgets ----------------------------------------------------

void MainWindow::changed(MainWindowPart part) {
  const patchlore::MainWindowState& state = core_.state();
  switch (part) {
    case MainWindowPart::Caption: setWindowTitle(toQString(state.caption)); break;
    case MainWindowPart::ActionMsg: actionMsg_->setText(toQString(state.actionMsg)); break;
    case MainWindowPart::MsgView: msgView_->setText(toQString(state.msgView)); break;
    case MainWindowPart::View: showView(); break;
    case MainWindowPart::Progress: showProgress(); break;
    case MainWindowPart::Commands:
      showCommands();
      openWaitingGivenFiles();
      break;
    case MainWindowPart::Rows: appendRows(); break;
    case MainWindowPart::ViewFont: showViewFont(); break;
  }
}

void MainWindow::pump() {
  if (!pump_.due()) return;
  pump_.process();
}

void MainWindow::showAll() {
  for (const MainWindowPart part :
       {MainWindowPart::Caption, MainWindowPart::ActionMsg, MainWindowPart::MsgView,
        MainWindowPart::View, MainWindowPart::Progress, MainWindowPart::Commands,
        MainWindowPart::Rows, MainWindowPart::ViewFont})
    changed(part);
}

// The log mostly grows by one line at a time; appending the new lines keeps
// that cheap. Anything else (it was cleared) rebuilds the list.
void MainWindow::showView() {
  const std::vector<std::string>& lines = core_.state().view;
  const int shown = view_->count();
  const bool grown = shown <= static_cast<int>(lines.size()) &&
                     (shown == 0 || view_->item(shown - 1)->text() == toQString(lines[shown - 1]));
  if (!grown) view_->clear();
  for (std::size_t i = static_cast<std::size_t>(view_->count()); i < lines.size(); ++i)
    view_->addItem(toQString(lines[i]));
}

void MainWindow::showProgress() {
  const patchlore::ProgressBar& progress = core_.state().progress;
  progress_->setRange(0, ClampedToInt(progress.maximum));
  progress_->setValue(ClampedToInt(progress.position));
  progress_->setVisible(progress.visible);
}

// No second load may start while one runs, from any menu item, shortcut or
// button: they all follow these actions.
void MainWindow::showCommands() {
  const bool idle = !core_.state().loadRunning;
  fileOpen1_->setEnabled(idle);
  fileOpenAsSysEx1_->setEnabled(idle);
  fileImportSmf1_->setEnabled(idle);
}

// Rows are only ever appended, so the list shows the registry's first rows.
void MainWindow::appendRows() {
  const patchlore::Registry& registry = core_.registry();
  for (auto i = static_cast<int>(files_.rows.size()); i < registry.count(); ++i) {
    const patchlore::FileRow& row = registry.row(i);
    files_.rows.push_back({row.index, {row.fileName, row.bytes, row.type, row.filePath}});
  }
  filesModel_->refresh();
}

void MainWindow::showViewFont() {
  const patchlore::FontChoice& chosen = core_.state().viewFont;
  QFont font = DesignFont(QString::fromStdString(chosen.family), chosen.pointSize, chosen.bold, QFont::TypeWriter);
  font.setItalic(chosen.italic);
  view_->setFont(font);
}
