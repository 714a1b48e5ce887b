#include "viewer/ui/viewer_window.hpp"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedLayout>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "ui/eliding_label.hpp"
#include "ui/column_fit.hpp"
#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_size.hpp"
#include "ui/window_memory.hpp"
#include "ui/table_model.hpp"
#include "ui/widgets.hpp"
#include "viewer/sysex_patch_rows.hpp"
#include "viewer/ui/check_box_state.hpp"
#include "viewer/ui/column_boxes_panel.hpp"
#include "viewer/ui/keyboard_map_pane.hpp"
#include "viewer/ui/keyboard_map_picture.hpp"
#include "viewer/ui/sheet_painter.hpp"
#include "viewer/ui/viewer_settings_panel.hpp"

namespace {

using patchlore::ViewerPart;

constexpr int kTopControlsHeight = 57;

// A scroll area without a frame around a widget that grows with it.
QScrollArea* Scrolled(QWidget* widget, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(widget);
  return area;
}

QListWidget* HiddenList(const char* name, QWidget* parent) {
  auto* list = Named(new QListWidget(parent), name);
  list->hide();
  return list;
}

}  // namespace

ViewerWindow::ViewerWindow(patchlore::Workspace& workspace, patchlore::ViewerShared& shared,
                     patchlore::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      workspace_(workspace),
      dialogs_(dialogs),
      core_(workspace.registry(), shared, *this) {
  setObjectName("FormView");
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(DesignWindowFont());

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  // The window may be made smaller than its components want (256 x 256):
  // then its body scrolls rather than components being drawn over each other.
  outer->setSizeConstraint(QLayout::SetNoConstraint);
  createMenu();
  createBody();
  outer->addWidget(body_);

  for (const ViewerPart part :
       {ViewerPart::Caption, ViewerPart::Switches, ViewerPart::ColumnBoxes, ViewerPart::Groups,
        ViewerPart::Commands, ViewerPart::Msg, ViewerPart::Info, ViewerPart::LinkMsg,
        ViewerPart::LinkBox, ViewerPart::Table, ViewerPart::Filters, ViewerPart::Settings,
        ViewerPart::Separator})
    changed(part);
  showHiddenLists();
  resize(kDesignWidth, kDesignHeight);
  workspace_.subscribe(*this);
}

ViewerWindow::~ViewerWindow() {
  workspace_.unsubscribe(*this);
  tableModel_->show(nullptr);
}

// ---- components ------------------------------------------------------------

void ViewerWindow::createMenu() {
  auto* bar = Named(new QMenuBar(this), "MainMenu1");
  QMenu* file = Named(bar->addMenu("&File"), "File1");
  QAction* saveAs = Named(file->addAction("&Save As CVS(for EXEL)"), "SaveAs1");
  saveAs->setShortcut(QKeySequence("Ctrl+S"));
  addAction(saveAs);  // the shortcut works wherever the focus is in this window
  connect(saveAs, &QAction::triggered, this, [this] { (void)core_.exportTable(dialogs_); });
  // Msg or Info shows the outcome of either export.
  connect(Named(file->addAction("Save As &CSV..."), "SaveAsCsv"), &QAction::triggered, this,
          [this] { (void)core_.exportCsv(dialogs_); });
  file->addSeparator();
  connect(Named(file->addAction("&Print..."), "PrintTable"), &QAction::triggered, this, [this] { printTable(); });
  connect(Named(file->addAction("Export P&DF..."), "ExportPdf"), &QAction::triggered, this, [this] {
    (void)core_.exportPdf(dialogs_, [this](const std::string& path) {
      return WriteSheetPdf(path, core_.state().table, core_.sheetHeader(patchlore::LocalDateText()));
    });
  });

  QMenu* settings = Named(bar->addMenu("&Settings"), "Settings1");
  connect(Named(settings->addAction("&Exel separator"), "Exel1"), &QAction::triggered, this,
          [this] { core_.openExportSettings(); });
  connect(Named(settings->addAction("&BankProg Filter"), "Filters1"), &QAction::triggered, this,
          [this] { core_.openBankProgFilter(); });
  connect(Named(settings->addAction("&ProgName Filter"), "Names1"), &QAction::triggered, this,
          [this] { core_.openNameFilter(); });
  createViewMenu(bar);
  layout()->setMenuBar(bar);
}

// The printer's own dialog chooses the printer, the paper and the pages.
void ViewerWindow::printTable() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  (void)core_.reportPrinted(
      PaintSheet(printer, core_.state().table, core_.sheetHeader(patchlore::LocalDateText())));
}

void ViewerWindow::createBody() {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(createTopControls());
  settings_ = new ViewerSettingsPanel(core_, *this, this);
  layout->addWidget(settings_);
  msg_ = StatusLabel("Msg", QString(), content);
  msg_->setFont(Bold(msg_->font()));
  layout->addWidget(msg_);
  layout->addWidget(createColumnsFrame());
  layout->addWidget(createTableAndMap(content), 1);
  info_ = StatusLabel("Info", QString(), content);
  layout->addWidget(info_);
  body_ = Named(Scrolled(content, this), "ViewerBody");
  // Tab goes to the controls inside, never to the frame around them.
  body_->setFocusPolicy(Qt::NoFocus);
}

// Show and Cancel, the switches, and Link PCG with the linked file's name.
QWidget* ViewerWindow::createTopControls() {
  auto* group = Named(new QGroupBox, "groupSWitch");
  group->setFixedHeight(kTopControlsHeight);
  auto* row = new QHBoxLayout(group);

  showButton_ = Named(new QPushButton("Show", group), "Show");
  connect(showButton_, &QPushButton::clicked, this, [this] { core_.pressShow(); });
  auto* cancel = Named(new QPushButton("Cancel", group), "Cancel");
  connect(cancel, &QPushButton::clicked, this, [this] { core_.cancel(); });
  byObject_ = Named(new QCheckBox(group), "SW1");
  connect(byObject_, &QCheckBox::clicked, this, [this](bool checked) { core_.setByObject(checked); });
  bankOnce_ = Named(new QCheckBox(group), "SW2");
  connect(bankOnce_, &QCheckBox::clicked, this, [this](bool checked) { core_.setBankOnce(checked); });
  prefixes_ = Named(new QCheckBox(group), "SW3");
  connect(prefixes_, &QCheckBox::clicked, this, [this](bool checked) { core_.setPrefixes(checked); });
  showOffsets_ = Named(new QCheckBox(group), "checkOffset");
  connect(showOffsets_, &QCheckBox::clicked, this, [this](bool checked) { core_.setShowOffsets(checked); });
  auto* link = Named(new QPushButton("Link PCG", group), "Link");
  connect(link, &QPushButton::clicked, this, [this] { core_.listLinkCandidates(); });
  linkMsg_ = StatusLabel("LinkMsg", QString(), group);

  for (QWidget* widget : std::initializer_list<QWidget*>{showButton_, cancel, byObject_, bankOnce_, prefixes_,
                                                         showOffsets_, link, linkMsg_})
    row->addWidget(widget);
  row->addStretch();
  createHiddenLists(group);
  return group;
}

void ViewerWindow::createHiddenLists(QWidget* parent) {
  descriptorLines_ = HiddenList("offsetBox", parent);
  offsetLines_ = HiddenList("offsetLines", parent);
  linkedPcgNames_ = HiddenList("Pcg", parent);
  songsByProgram_ = HiddenList("SngByProg", parent);
}

// "Columns for Show" holds the column check boxes; LinkBox, while the user
// chooses a PCG to link, takes the whole group in their place.
QWidget* ViewerWindow::createColumnsFrame() {
  columnsFrame_ = Named(new QGroupBox("Columns for Show"), "Columns");
  columnsFrame_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  columnsPages_ = new QStackedLayout(columnsFrame_);
  columnBoxes_ = new ColumnBoxesPanel(core_, columnsFrame_);
  columnsPages_->addWidget(columnBoxes_);

  linkCandidates_ = Named(new QListWidget(columnsFrame_), "LinkBox");
  // The check boxes alone decide the group's height.
  linkCandidates_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  connect(linkCandidates_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { core_.linkPcg(linkCandidates_->row(item)); });
  columnsPages_->addWidget(linkCandidates_);
  return columnsFrame_;
}

// The model reads the core's own table: no second copy of a big table.
QTableView* ViewerWindow::createTable(QWidget* parent) {
  tableModel_ = new TableModel(this);
  tableModel_->show(&core_.state().table);
  table_ = NewReportList(parent, tableModel_);
  new ColumnFit(table_, table_->horizontalHeader(), tableModel_);
  editName_ = Named(new QAction("Edit name...", table_), "EditName1");
  editName_->setShortcut(QKeySequence(Qt::Key_F2));
  editName_->setShortcutContext(Qt::WidgetShortcut);
  table_->addAction(editName_);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(editName_, &QAction::triggered, this, &ViewerWindow::requestNameEdit);
  usedBy_ = Named(new QAction("Used by...", table_), "UsedBy1");
  table_->addAction(usedBy_);
  connect(usedBy_, &QAction::triggered, this, &ViewerWindow::requestUsedBy);
  return table_;
}

// ---- keyboard map ----------------------------------------------------------------

namespace {
const QString kKeyboardMapHiddenKey = QStringLiteral("viewer/keyboardMapHidden");
const QString kKeyboardMapWidthKey = QStringLiteral("viewer/keyboardMapWidth");
}  // namespace

QWidget* ViewerWindow::createTableAndMap(QWidget* parent) {
  auto* split = Named(new QSplitter(Qt::Horizontal, parent), "TableAndMap");
  split->setChildrenCollapsible(false);
  split->addWidget(createTable(split));
  keyboardMap_ = new KeyboardMapPane(split);
  keyboardMap_->hide();  // until a Show lists timbres or tracks
  split->addWidget(keyboardMap_);
  split->setStretchFactor(0, 1);
  tableAndMap_ = split;
  connect(split, &QSplitter::splitterMoved, this, [this] {
    window_memory::setValue(kKeyboardMapWidthKey, QByteArray::number(keyboardMap_->width()));
  });
  connect(keyboardMap_, &KeyboardMapPane::rowClicked, this, &ViewerWindow::selectRow);
  QItemSelectionModel* selection = table_->selectionModel();
  connect(selection, &QItemSelectionModel::selectionChanged, this, &ViewerWindow::updateKeyboardMap);
  connect(selection, &QItemSelectionModel::currentRowChanged, this, &ViewerWindow::updateKeyboardMap);
  return split;
}

void ViewerWindow::createViewMenu(QMenuBar* bar) {
  viewMenu_ = Named(bar->addMenu("&View"), "ViewMenu");
  keyboardMapShown_ = Named(viewMenu_->addAction("&Keyboard Map"), "ShowKeyboardMap");
  keyboardMapShown_->setCheckable(true);
  keyboardMapShown_->setChecked(window_memory::value(kKeyboardMapHiddenKey).value_or("0") != "1");
  connect(keyboardMapShown_, &QAction::toggled, this, &ViewerWindow::showKeyboardMap);
  connect(Named(viewMenu_->addAction("&Save Keyboard Map..."), "SaveKeyboardMap"), &QAction::triggered, this,
          &ViewerWindow::saveKeyboardMap);
  viewMenu_->menuAction()->setVisible(false);  // Open shows it for combinations and songs
}

void ViewerWindow::showKeyboardMap(bool shown) {
  window_memory::setValue(kKeyboardMapHiddenKey, shown ? "0" : "1");
  updateKeyboardMap();
}

int ViewerWindow::mapRow() const {
  const QItemSelectionModel* selection = table_->selectionModel();
  const int current = table_->currentIndex().row();
  if (current >= 0 && selection->isRowSelected(current)) return current;
  const QItemSelection selected = selection->selection();
  return selected.isEmpty() ? current : selected.first().top();
}

// The pane shows while the table lists timbres or tracks and the user wants
// it; hidden, it keeps following the selection for Save Keyboard Map.
void ViewerWindow::updateKeyboardMap() {
  if (core_.ownShowRunning()) return;  // the rows are being written; the end of the Show comes back here
  const bool listed = core_.state().memberRows.listed;
  const bool appearing = keyboardMap_->isHidden() && listed && keyboardMapShown_->isChecked();
  keyboardMap_->setVisible(listed && keyboardMapShown_->isChecked());
  if (appearing) restoreMapWidth();
  const int row = listed ? mapRow() : -1;
  if (row < 0) return keyboardMap_->showMap(std::nullopt, std::nullopt);
  const auto at = static_cast<std::size_t>(row);
  keyboardMap_->showMap(core_.keyboardMapOfRow(at), at);
}

// The pane comes back as wide as the user last made it.
void ViewerWindow::restoreMapWidth() {
  bool read = false;
  const int width = window_memory::value(kKeyboardMapWidthKey).value_or("").toInt(&read);
  const QList<int> sizes = tableAndMap_->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  if (read && width > 0 && width < total) tableAndMap_->setSizes({total - width, width});
}

void ViewerWindow::selectRow(int row) {
  const QModelIndex index = tableModel_->index(row, 0);
  table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  table_->scrollTo(index);
}

// The picture at the pane's size, or at twice its usual size while the pane is hidden.
void ViewerWindow::saveKeyboardMap() {
  const QSize size = keyboardMap_->isVisible() ? keyboardMap_->size()
                                               : QSize(KeyboardMapPane::kUsualWidth * 2, KeyboardMapPane::kUsualHeight * 2);
  // Info shows the outcome.
  (void)core_.saveKeyboardMap(keyboardMap_->map(), dialogs_, [this, size](const std::string& path) {
    return SaveKeyboardMapPicture(QString::fromStdString(path), *keyboardMap_->map(), size,
                                  keyboardMap_->highlightedBar());
  });
}

// ---- table rows ----------------------------------------------------------------

// The current row's patch, when the row belongs to one.
void ViewerWindow::requestNameEdit() {
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid()) return;
  if (const auto patch = core_.patchOfRow(static_cast<std::size_t>(current.row())))
    emit nameEditRequested(patch->fileIndex, patch->bankOffset, static_cast<int>(patch->patch));
}

void ViewerWindow::requestUsedBy() {
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid()) return;
  if (const auto patch = core_.patchOfRow(static_cast<std::size_t>(current.row())))
    emit usedByRequested(patch->fileIndex, patch->bankOffset, static_cast<int>(patch->patch));
}

void ViewerWindow::selectPatchAt(std::int64_t offset) {
  flush();
  makeCurrent(core_.firstRowOfPatchAt(offset));
}

void ViewerWindow::selectM1Patch(std::size_t message, std::size_t patch) {
  flush();
  makeCurrent(patchlore::RowOfM1Patch(core_.state().table.rows, message, patch));
}

void ViewerWindow::makeCurrent(std::optional<std::size_t> row) {
  if (!row) return;
  const QModelIndex index = tableModel_->index(static_cast<int>(*row), 0);
  table_->setCurrentIndex(index);
  table_->scrollTo(index, QAbstractItemView::PositionAtTop);
}

QSize ViewerWindow::sizeShowingRows(int rows) const {
  // Groups a Show has just hidden or shown are counted as they are now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  const QSize content = SizeShowingTable(*body_->widget()->layout(), *table_, rows);
  const int map = keyboardMap_->isVisibleTo(this) ? keyboardMap_->sizeHint().width() : 0;
  return {content.width() + map, content.height() + layout()->menuBar()->sizeHint().height()};
}

// ---- following the image ------------------------------------------------------------

void ViewerWindow::imageChanged(int index) {
  if (core_.readsFile(index)) showAgain();
}

void ViewerWindow::showAgain() {
  showAgainPending_ = core_.ownShowRunning();
  if (showAgainPending_) return;
  const TablePlace place = tablePlace();
  core_.pressShow();
  goTo(place);
}

ViewerWindow::TablePlace ViewerWindow::tablePlace() const {
  TablePlace place;
  for (const QItemSelectionRange& range : table_->selectionModel()->selection())
    place.selectedRuns.emplace_back(range.top(), range.bottom());
  const QModelIndex current = table_->currentIndex();
  place.currentRow = current.row();
  place.currentColumn = current.column();
  place.vertical = table_->verticalScrollBar()->value();
  place.horizontal = table_->horizontalScrollBar()->value();
  return place;
}

// The rows a Show lists again are the same rows; any that are gone are left out.
void ViewerWindow::goTo(const TablePlace& place) {
  const int rows = tableModel_->rowCount();
  const int columns = tableModel_->columnCount();
  if (rows == 0 || columns == 0) return;
  QItemSelection selection;
  for (const auto& [first, last] : place.selectedRuns)
    if (first < rows)
      selection.select(tableModel_->index(first, 0), tableModel_->index(std::min(last, rows - 1), columns - 1));
  QItemSelectionModel* selected = table_->selectionModel();
  if (place.currentRow >= 0 && place.currentRow < rows)
    selected->setCurrentIndex(tableModel_->index(place.currentRow, std::clamp(place.currentColumn, 0, columns - 1)),
                              QItemSelectionModel::NoUpdate);
  selected->select(selection, QItemSelectionModel::ClearAndSelect);
  table_->doItemsLayout();  // the scroll bars take the new rows' range first
  table_->verticalScrollBar()->setValue(place.vertical);
  table_->horizontalScrollBar()->setValue(place.horizontal);
}

// ---- window events ---------------------------------------------------------------

void ViewerWindow::Open(const patchlore::ViewerRequest& request) {
  resize(kCreatedSize, kCreatedSize);
  core_.Open(request);
  const patchlore::ViewerKind kind = request.kind();
  editName_->setVisible(kind == patchlore::ViewerKind::Program || kind == patchlore::ViewerKind::Combination);
  usedBy_->setVisible(kind == patchlore::ViewerKind::Program);
  viewMenu_->menuAction()->setVisible(kind == patchlore::ViewerKind::Combination ||
                                      kind == patchlore::ViewerKind::Song);
  showHiddenLists();
}

void ViewerWindow::pump() {
  if (!pump_.due()) return;
  flush();
  pump_.process();
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitSettingsHeight();
}

void ViewerWindow::fitSettingsHeight() {
  settings_->fitHeight((body_->viewport()->height() - settings_->y()) / 2 - 4 * msg_->height());
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
  // While any Show runs, its loop may be inside this window's events.
  if (core_.canClose())
    event->accept();
  else
    event->ignore();
}

// ---- showing the core's state ------------------------------------------------------

bool ViewerWindow::deferred(ViewerPart part) const {
  return (part == ViewerPart::Table || part == ViewerPart::Filters) && core_.ownShowRunning();
}

void ViewerWindow::flush() {
  for (const ViewerPart part : {ViewerPart::Table, ViewerPart::Filters})
    if (dirty_.erase(part) > 0) showPart(part);
  showHiddenLists();
}

void ViewerWindow::changed(ViewerPart part) {
  if (deferred(part))
    dirty_.insert(part);
  else
    showPart(part);
}

void ViewerWindow::showPart(ViewerPart part) {
  settings_->showPart(part);
  columnBoxes_->showPart(part);
  const patchlore::ViewerState& state = core_.state();
  switch (part) {
    case ViewerPart::Caption: setWindowTitle(toQString(state.caption)); break;
    case ViewerPart::Switches: showSwitches(); break;
    case ViewerPart::Groups: columnsFrame_->setVisible(state.columnsVisible); break;
    case ViewerPart::Commands: showCommands(); break;
    case ViewerPart::Msg: msg_->setText(toQString(state.msg)); break;
    case ViewerPart::Info: info_->setText(toQString(state.info)); break;
    case ViewerPart::LinkMsg: linkMsg_->setText(toQString(state.linkMsg)); break;
    case ViewerPart::LinkBox: showLinkBox(); break;
    case ViewerPart::Table: tableModel_->refresh(); break;
    case ViewerPart::Settings: fitSettingsHeight(); break;  // the area opened or closed
    case ViewerPart::ColumnBoxes:
    case ViewerPart::Filters:
    case ViewerPart::Separator: break;  // the panels' own
  }
}

void ViewerWindow::showSwitches() {
  const patchlore::ViewerState& state = core_.state();
  ShowCheckBox(byObject_, state.sw1);
  ShowCheckBox(bankOnce_, state.sw2);
  ShowCheckBox(prefixes_, state.sw3);
  ShowCheckBox(showOffsets_, state.checkOffset);
}

void ViewerWindow::showCommands() {
  const patchlore::ViewerState& state = core_.state();
  showButton_->setEnabled(state.showEnabled);
  columnsFrame_->setEnabled(state.columnsEnabled);
  const bool running = core_.ownShowRunning();
  if (running && !showRunning_) tableModel_->restart();  // a Show refills the table from its start
  const bool ended = showRunning_ && !running;
  showRunning_ = running;
  if (!running) flush();  // the Show has ended
  if (ended) updateKeyboardMap();
  if (ended && showAgainPending_) QTimer::singleShot(0, this, &ViewerWindow::showAgain);
}

void ViewerWindow::showLinkBox() {
  const patchlore::ViewerState& state = core_.state();
  ShowListLines(linkCandidates_, state.linkBox);
  columnsPages_->setCurrentIndex(state.linkBoxVisible ? 1 : 0);
}

void ViewerWindow::showHiddenLists() {
  const patchlore::ViewerState& state = core_.state();
  AppendOrRebuildList(descriptorLines_, state.offsetBox);
  AppendOrRebuildList(offsetLines_, state.offsetLines);
  AppendOrRebuildList(linkedPcgNames_, state.pcg);
  AppendOrRebuildList(songsByProgram_, state.sngByProg);
}
