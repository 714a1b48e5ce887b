#include "viewer/ui/viewer_window.hpp"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <utility>

#include "ui/qt_text.hpp"
#include "common/cp1251.hpp"
#include "viewer/object_browser.hpp"
#include "ui/column_fit.hpp"
#include "ui/design_font.hpp"
#include "ui/table_model.hpp"

namespace {

using patchlore::ViewerPart;

// Long Shows ask for pending events once per object; serving them more often
// than this would cost more than the work itself.

constexpr int kSwitchesHeight = 57;
constexpr int kSettingsHeight = 106;
constexpr int kExelWidth = 90;
constexpr int kBankProgFilterWidth = 285;
constexpr int kProgNameFilterWidth = 220;
constexpr int kSeparatorPositions = 5;
// Between the texts and buttons of a row inside a settings group.
constexpr int kRowSpacing = 4;

// A label that answers a click, as the settings area's "<Click for ...>"
// captions do.
class ClickLabel : public QLabel {
 public:
  ClickLabel(const QString& text, QWidget* parent, std::function<void()> onClick = {})
      : QLabel(text, parent), onClick_(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_)
      onClick_();
    QLabel::mouseReleaseEvent(event);
  }

 private:
  std::function<void()> onClick_;
};

// A group holds its designed width, or more where its contents need it.
void FixWidth(QWidget* group, int designed) {
  group->setFixedWidth(std::max(designed, group->minimumSizeHint().width()));
}

// A scroll area without a frame around a widget that grows with it.
QScrollArea* Scrolled(QWidget* widget, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(widget);
  return area;
}


QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* PlainLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setTextFormat(Qt::PlainText);  // names from files are no markup
  return label;
}

QListWidget* HiddenList(const char* name, QWidget* parent) {
  auto* list = Named(new QListWidget(parent), name);
  list->hide();
  return list;
}

QPushButton* CloseButton(const char* name, QWidget* parent) {
  auto* button = Named(new QPushButton("x", parent), name);
  button->setFixedSize(18, 18);
  return button;
}

// Lists mostly grow at their end (keys met while a view is built, lines of a
// Show); appending keeps that cheap. Anything else rebuilds the list.
void SyncList(QListWidget* list, const std::vector<std::string>& lines) {
  const int shown = list->count();
  const bool grown = shown <= static_cast<int>(lines.size()) &&
                     (shown == 0 || list->item(shown - 1)->text() ==
                                        toQString(lines[static_cast<std::size_t>(shown - 1)]));
  if (!grown) list->clear();
  for (auto i = static_cast<std::size_t>(list->count()); i < lines.size(); ++i)
    list->addItem(toQString(lines[i]));
}

void ShowCheckBox(QCheckBox* box, const patchlore::CheckBox& state) {
  const QSignalBlocker blocker(box);
  box->setText(toQString(state.caption));
  box->setChecked(state.checked);
  box->setEnabled(state.enabled);
  box->setVisible(state.visible);
}

// The five groups of column check boxes: component name, caption, and the
// check boxes they hold in ViewerState::columnBoxes order.
struct ColumnGroupDesign {
  const char* name;
  const char* caption;
  std::vector<const char*> boxes;
  bool patchlore::ColumnGroups::* shown;
};

const std::vector<ColumnGroupDesign>& ColumnGroupDesigns() {
  static const std::vector<ColumnGroupDesign> designs = {
      {"groupTrackParameter", "Track Parameter", {"TChannel", "TStatus", "TTranspose", "TName"},
       &patchlore::ColumnGroups::trackParameter},
      {"GroupMixer", "Prog / Mixer", {"TPlay", "TMute", "TPan", "TVolume", "TPType", "TPName"},
       &patchlore::ColumnGroups::mixer},
      {"GroupZones", "Zones", {"TKeyboardZones", "TVelocityZones"}, &patchlore::ColumnGroups::zones},
      {"groupOSCBasic", "OSC Basic", {"PTranspose", "POctave", "PMsWsDk"},
       &patchlore::ColumnGroups::oscBasic},
      {"groupProgramBasic", "Program Basic", {"POSCMode", "PVoiceMode", "PKeyZone"},
       &patchlore::ColumnGroups::programBasic},
  };
  return designs;
}

}  // namespace

ViewerWindow::ViewerWindow(patchlore::Registry& registry, patchlore::ViewerShared& shared,
                     patchlore::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      dialogs_(dialogs),
      core_(registry, shared, *this) {
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
}

// ---- components ------------------------------------------------------------

void ViewerWindow::createBody() {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(createSwitches());
  layout->addWidget(createSettings());
  msg_ = PlainLabel("Msg", QString(), content);
  msg_->setFont(Bold(msg_->font()));
  layout->addWidget(msg_);
  layout->addWidget(createColumns());
  createList(content);
  layout->addWidget(listView1_, 1);
  info_ = PlainLabel("Info", QString(), content);
  layout->addWidget(info_);
  body_ = Named(Scrolled(content, this), "ViewerBody");
}

void ViewerWindow::createMenu() {
  auto* bar = Named(new QMenuBar(this), "MainMenu1");
  QMenu* file = Named(bar->addMenu("&File"), "File1");
  saveAs1_ = Named(file->addAction("&Save As CVS(for EXEL)"), "SaveAs1");
  saveAs1_->setShortcut(QKeySequence("Ctrl+S"));
  addAction(saveAs1_);  // the shortcut works wherever the focus is in this window
  connect(saveAs1_, &QAction::triggered, this, [this] { core_.exportTable(dialogs_); });

  QMenu* settings = Named(bar->addMenu("&Settings"), "Settings1");
  connect(Named(settings->addAction("&Exel separator"), "Exel1"), &QAction::triggered, this,
          [this] { core_.openExportSettings(); });
  connect(Named(settings->addAction("&BankProg Filter"), "Filters1"), &QAction::triggered, this,
          [this] { core_.openBankProgFilter(); });
  connect(Named(settings->addAction("&ProgName Filter"), "Names1"), &QAction::triggered, this,
          [this] { core_.openNameFilter(); });
  layout()->setMenuBar(bar);
}

QWidget* ViewerWindow::createSwitches() {
  auto* group = Named(new QGroupBox, "groupSWitch");
  group->setFixedHeight(kSwitchesHeight);
  auto* row = new QHBoxLayout(group);

  show_ = Named(new QPushButton("Show", group), "Show");
  connect(show_, &QPushButton::clicked, this, [this] { core_.pressShow(); });
  auto* cancel = Named(new QPushButton("Cancel", group), "Cancel");
  connect(cancel, &QPushButton::clicked, this, [this] { core_.cancel(); });
  sw1_ = Named(new QCheckBox(group), "SW1");
  connect(sw1_, &QCheckBox::clicked, this, [this](bool checked) { core_.setByObject(checked); });
  sw2_ = Named(new QCheckBox(group), "SW2");
  connect(sw2_, &QCheckBox::clicked, this, [this](bool checked) { core_.setBankOnce(checked); });
  sw3_ = Named(new QCheckBox(group), "SW3");
  connect(sw3_, &QCheckBox::clicked, this, [this](bool checked) { core_.setPrefixes(checked); });
  checkOffset_ = Named(new QCheckBox(group), "checkOffset");
  connect(checkOffset_, &QCheckBox::clicked, this,
          [this](bool checked) { core_.setShowOffsets(checked); });
  auto* link = Named(new QPushButton("Link PCG", group), "Link");
  connect(link, &QPushButton::clicked, this, [this] { core_.listLinkCandidates(); });
  linkMsg_ = PlainLabel("LinkMsg", QString(), group);

  for (QWidget* widget : std::initializer_list<QWidget*>{show_, cancel, sw1_, sw2_, sw3_, checkOffset_, link, linkMsg_})
    row->addWidget(widget);
  row->addStretch();

  offsetBox_ = HiddenList("offsetBox", group);
  offsetLines_ = HiddenList("offsetLines", group);
  pcg_ = HiddenList("Pcg", group);
  sngByProg_ = HiddenList("SngByProg", group);
  return group;
}

// The settings groups stand side by side; the program-name filter takes the
// width the others leave, and "Close" stays at the right edge. Where the
// window leaves them less room than they need, the area scrolls.
QWidget* ViewerWindow::createSettings() {
  // Made in the window, so its groups measure their widths in its font.
  groupSetting_ = Named(new QGroupBox(this), "GroupSetting");
  auto* row = new QHBoxLayout(groupSetting_);
  row->setContentsMargins(2, 2, 4, 2);
  row->setSpacing(2);
  row->addWidget(createExel());
  row->addWidget(createBankProgFilter());
  row->addWidget(createProgNameFilter(), 1);
  row->addStretch(0);
  auto* closeSet = Named(new QPushButton("Close", groupSetting_), "CloseSet");
  // As wide as its caption needs, not a dialog button's usual width.
  closeSet->setFixedWidth(closeSet->fontMetrics().horizontalAdvance(closeSet->text()) + 16);
  connect(closeSet, &QPushButton::clicked, this, [this] { core_.closeSettings(); });
  row->addWidget(closeSet, 0, Qt::AlignTop);
  settingsArea_ = Named(Scrolled(groupSetting_, nullptr), "SettingsArea");
  settingsArea_->setFixedHeight(kSettingsHeight);
  settingsArea_->hide();
  return settingsArea_;
}

QGroupBox* ViewerWindow::createExel() {
  groupExel_ = Named(new QGroupBox("Exel", groupSetting_), "GroupExel");
  auto* grid = new QGridLayout(groupExel_);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(1);
  grid->addWidget(PlainLabel("ExelSeparator", "Separator", groupExel_), 0, 0);
  auto* close = CloseButton("CloseExel", groupExel_);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeExportSettings(); });
  grid->addWidget(close, 0, 1, Qt::AlignRight);
  // One control for the edit and its up/down buttons.
  editSeparator_ = Named(new QSpinBox(groupExel_), "EditSeparator");
  editSeparator_->setRange(0, kSeparatorPositions);
  connect(editSeparator_, &QSpinBox::valueChanged, this,
          [this](int position) { core_.setSeparatorPosition(position); });
  grid->addWidget(editSeparator_, 1, 0, 1, 2);
  asciiChar_ = PlainLabel("ASCII_Char", QString(), groupExel_);
  grid->addWidget(asciiChar_, 2, 0, 1, 2);
  asciiCode_ = PlainLabel("ASCII_Code", QString(), groupExel_);
  grid->addWidget(asciiCode_, 3, 0, 1, 2);
  FixWidth(groupExel_, kExelWidth);
  return groupExel_;
}

QGroupBox* ViewerWindow::createBankProgFilter() {
  groupBankProgFilter_ = Named(new QGroupBox("Bank/Prog Filter", groupSetting_), "GroupBankProgFilter");
  QGroupBox* group = groupBankProgFilter_;
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(1);

  grid->addWidget(Named(new ClickLabel("<Click for Add>", group), "ClickExist"), 0, 0);
  auto* clickSelect = Named(new ClickLabel("<Click for Delete>", group, [this] {
                              core_.filters().clearSelection();
                              afterFilterClick();
                            }),
                            "ClickSelect");
  auto* close = CloseButton("CloseProgFilter", group);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeBankProgFilter(); });
  auto* selectTitle = new QHBoxLayout;
  selectTitle->setSpacing(kRowSpacing);
  selectTitle->addWidget(clickSelect, 1);
  selectTitle->addWidget(close);
  grid->addLayout(selectTitle, 0, 1);

  boxExist_ = Named(new QListWidget(group), "BoxExist");
  connect(boxExist_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    core_.filters().selectExisting(boxExist_->row(item));
    afterFilterClick();
  });
  grid->addWidget(boxExist_, 1, 0);
  boxSelect_ = Named(new QListWidget(group), "BoxSelect");
  connect(boxSelect_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    core_.filters().unselect(boxSelect_->row(item));
    afterFilterClick();
  });
  grid->addWidget(boxSelect_, 1, 1);

  countExist_ = PlainLabel("CountExist", QString(), group);
  grid->addWidget(countExist_, 2, 0);
  auto* selectFoot = new QHBoxLayout;
  selectFoot->setSpacing(kRowSpacing);
  countSelect_ = PlainLabel("CountSelect", QString(), group);
  disProg_ = Named(new QRadioButton("Dis", group), "DisProg");
  connect(disProg_, &QRadioButton::clicked, this, [this] {
    core_.filters().disableProgramSelection();
    afterFilterClick();
  });
  enaProg_ = Named(new QRadioButton("Ena", group), "EnaProg");
  connect(enaProg_, &QRadioButton::clicked, this, [this] {
    core_.filters().enableProgramSelection();
    afterFilterClick();
  });
  selectFoot->addWidget(countSelect_, 1);
  selectFoot->addWidget(disProg_);
  selectFoot->addWidget(enaProg_);
  grid->addLayout(selectFoot, 2, 1);
  FixWidth(group, kBankProgFilterWidth);
  return group;
}

QGroupBox* ViewerWindow::createProgNameFilter() {
  groupProgNameFilter_ = Named(new QGroupBox("ProgName Filter", groupSetting_), "GroupProgNameFilter");
  QGroupBox* group = groupProgNameFilter_;
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(1);

  auto* title = new QHBoxLayout;
  title->setSpacing(kRowSpacing);
  title->addWidget(Named(new ClickLabel("<Click for Clear>", group, [this] {
                           core_.filters().clearPatterns();
                           afterFilterClick();
                         }),
                         "ClickMemo"),
                   1);
  title->addWidget(PlainLabel("ChainTitle", "Chain-Str", group));
  chainStr_ = Named(new QLineEdit(group), "ChainStr");
  chainStr_->setFixedWidth(40);
  connect(chainStr_, &QLineEdit::textEdited, this,
          [this](const QString& text) { core_.filters().setChainStr(FromQString(text)); });
  title->addWidget(chainStr_);
  auto* close = CloseButton("CloseProgNameFilter", group);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeNameFilter(); });
  title->addWidget(close);
  grid->addLayout(title, 0, 0);

  memoSubstr_ = Named(new QPlainTextEdit(group), "MemoSubstr");
  memoSubstr_->setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(memoSubstr_, &QPlainTextEdit::textChanged, this, [this] {
    core_.filters().setPatternText(FromQString(memoSubstr_->toPlainText()));
    afterFilterClick();
  });
  grid->addWidget(memoSubstr_, 1, 0);

  auto* foot = new QHBoxLayout;
  foot->setSpacing(kRowSpacing);
  countSubstr_ = PlainLabel("CountSubstr", QString(), group);
  disName_ = Named(new QRadioButton("Dis", group), "DisName");
  connect(disName_, &QRadioButton::clicked, this, [this] {
    core_.filters().disableNameFilter();
    afterFilterClick();
  });
  enaName_ = Named(new QRadioButton("Ena", group), "EnaName");
  connect(enaName_, &QRadioButton::clicked, this, [this] {
    core_.filters().enableNameFilter();
    afterFilterClick();
  });
  foot->addWidget(countSubstr_, 1);
  foot->addWidget(disName_);
  foot->addWidget(enaName_);
  grid->addLayout(foot, 2, 0);
  group->setMinimumWidth(std::max(kProgNameFilterWidth, group->minimumSizeHint().width()));
  return group;
}

// "Columns for Show" holds the five groups of check boxes; LinkBox, while the
// user chooses a PCG to link, takes the whole group in their place.
QWidget* ViewerWindow::createColumns() {
  columns_ = Named(new QGroupBox("Columns for Show"), "Columns");
  columns_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  columnsPages_ = new QStackedLayout(columns_);

  auto* groups = new QWidget(columns_);
  auto* row = new QHBoxLayout(groups);
  row->setContentsMargins(0, 0, 0, 0);
  for (const ColumnGroupDesign& design : ColumnGroupDesigns()) {
    auto* group = Named(new QGroupBox(design.caption, groups), design.name);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(2, 0, 2, 0);
    grid->setVerticalSpacing(0);
    int i = 0;
    for (const char* name : design.boxes) {
      auto* box = Named(new QCheckBox(group), name);
      const std::string boxName = name;
      connect(box, &QCheckBox::clicked, this,
              [this, boxName](bool checked) { core_.setColumnBox(boxName, checked); });
      grid->addWidget(box, i % 2, i / 2);
      columnBoxes_[boxName] = box;
      ++i;
    }
    row->addWidget(group);
    columnGroups_[design.name] = group;
  }
  row->addStretch();
  columnsPages_->addWidget(groups);

  linkBox_ = Named(new QListWidget(columns_), "LinkBox");
  // The check boxes alone decide the group's height.
  linkBox_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  connect(linkBox_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { core_.linkPcg(linkBox_->row(item)); });
  columnsPages_->addWidget(linkBox_);
  return columns_;
}

void ViewerWindow::createList(QWidget* parent) {
  model_ = new TableModel(this);
  model_->show(&core_.state().table);
  listView1_ = NewReportList(parent, model_);
  new ColumnFit(listView1_, listView1_->horizontalHeader(), model_);
  editName_ = Named(new QAction("Edit name...", listView1_), "EditName1");
  editName_->setShortcut(QKeySequence(Qt::Key_F2));
  editName_->setShortcutContext(Qt::WidgetShortcut);
  listView1_->addAction(editName_);
  listView1_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(editName_, &QAction::triggered, this, &ViewerWindow::requestNameEdit);
  usedBy_ = Named(new QAction("Used by...", listView1_), "UsedBy1");
  listView1_->addAction(usedBy_);
  connect(usedBy_, &QAction::triggered, this, &ViewerWindow::requestUsedBy);
}

// The current row's patch, when the row belongs to one.
void ViewerWindow::requestNameEdit() {
  const QModelIndex current = listView1_->currentIndex();
  if (!current.isValid()) return;
  if (const auto patch = core_.patchOfRow(static_cast<std::size_t>(current.row())))
    emit nameEditRequested(patch->fileIndex, patch->bankOffset, static_cast<int>(patch->patch));
}

void ViewerWindow::requestUsedBy() {
  const QModelIndex current = listView1_->currentIndex();
  if (!current.isValid()) return;
  if (const auto patch = core_.patchOfRow(static_cast<std::size_t>(current.row())))
    emit usedByRequested(patch->fileIndex, patch->bankOffset, static_cast<int>(patch->patch));
}

void ViewerWindow::selectPatchAt(std::int64_t offset) {
  flush();
  if (const auto row = core_.firstRowOfPatchAt(offset)) {
    const QModelIndex index = model_->index(static_cast<int>(*row), 0);
    listView1_->setCurrentIndex(index);
    listView1_->scrollTo(index, QAbstractItemView::PositionAtTop);
  }
}

ViewerWindow::~ViewerWindow() { model_->show(nullptr); }

// ---- showing -----------------------------------------------------------------

void ViewerWindow::Open(const patchlore::ViewerRequest& request) {
  resize(kCreatedSize, kCreatedSize);
  core_.Open(request);
  const patchlore::ViewerKind kind = request.kind();
  editName_->setVisible(kind == patchlore::ViewerKind::Program || kind == patchlore::ViewerKind::Combination);
  usedBy_->setVisible(kind == patchlore::ViewerKind::Program);
  showHiddenLists();
}

bool ViewerWindow::deferred(ViewerPart part) const {
  return (part == ViewerPart::Table || part == ViewerPart::Filters) && core_.ownShowRunning();
}

void ViewerWindow::flush() {
  if (dirty_.erase(ViewerPart::Table) > 0) showCoreTable();
  if (dirty_.erase(ViewerPart::Filters) > 0) showFilters();
  showHiddenLists();
}

void ViewerWindow::changed(ViewerPart part) {
  if (deferred(part)) {
    dirty_.insert(part);
    return;
  }
  const patchlore::ViewerState& state = core_.state();
  switch (part) {
    case ViewerPart::Caption: setWindowTitle(toQString(state.caption)); break;
    case ViewerPart::Switches: showSwitches(); break;
    case ViewerPart::ColumnBoxes: showColumnBoxes(); break;
    case ViewerPart::Groups: showGroups(); break;
    case ViewerPart::Commands: showCommands(); break;
    case ViewerPart::Msg: msg_->setText(toQString(state.msg)); break;
    case ViewerPart::Info: info_->setText(toQString(state.info)); break;
    case ViewerPart::LinkMsg: linkMsg_->setText(toQString(state.linkMsg)); break;
    case ViewerPart::LinkBox: showLinkBox(); break;
    case ViewerPart::Table: showCoreTable(); break;
    case ViewerPart::Filters: showFilters(); break;
    case ViewerPart::Settings: showSettings(); break;
    case ViewerPart::Separator: showSeparator(); break;
  }
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
  if (settingsArea_->isHidden()) return;
  const int rule = (body_->viewport()->height() - settingsArea_->y()) / 2 - 4 * msg_->height();
  settingsArea_->setFixedHeight(std::max(kSettingsHeight, rule));
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
  // While any Show runs, its loop may be inside this window's events.
  if (core_.canClose())
    event->accept();
  else
    event->ignore();
}

void ViewerWindow::showSwitches() {
  const patchlore::ViewerState& state = core_.state();
  ShowCheckBox(sw1_, state.sw1);
  ShowCheckBox(sw2_, state.sw2);
  ShowCheckBox(sw3_, state.sw3);
  ShowCheckBox(checkOffset_, state.checkOffset);
}

void ViewerWindow::showColumnBoxes() {
  for (const patchlore::CheckBox& box : core_.state().columnBoxes)
    if (const auto found = columnBoxes_.find(box.name); found != columnBoxes_.end())
      ShowCheckBox(found->second, box);
}

void ViewerWindow::showGroups() {
  const patchlore::ViewerState& state = core_.state();
  columns_->setVisible(state.columnsVisible);
  for (const ColumnGroupDesign& design : ColumnGroupDesigns())
    columnGroups_.at(design.name)->setVisible(state.columnGroups.*design.shown);
  columnGroups_.at("groupTrackParameter")->setTitle(toQString(state.columnGroups.trackParameterCaption));
}

void ViewerWindow::showCommands() {
  const patchlore::ViewerState& state = core_.state();
  show_->setEnabled(state.showEnabled);
  columns_->setEnabled(state.columnsEnabled);
  const bool running = core_.ownShowRunning();
  if (running && !showRunning_) model_->restart();  // a Show refills the table from its start
  showRunning_ = running;
  if (!running) flush();  // the Show has ended
}

void ViewerWindow::showLinkBox() {
  const patchlore::ViewerState& state = core_.state();
  SyncList(linkBox_, state.linkBox);
  columnsPages_->setCurrentIndex(state.linkBoxVisible ? 1 : 0);
}

// The model reads the core's own table: no second copy of a big table.
void ViewerWindow::showCoreTable() { model_->refresh(); }

void ViewerWindow::showFilters() {
  const patchlore::ViewFilters& filters = core_.filters();
  SyncList(boxExist_, filters.boxExist());
  SyncList(boxSelect_, filters.boxSelect());
  countExist_->setText(toQString(filters.countExist()));
  countSelect_->setText(toQString(filters.countSelect()));
  (filters.enaProg() ? enaProg_ : disProg_)->setChecked(true);
  (filters.enaName() ? enaName_ : disName_)->setChecked(true);
  countSubstr_->setText(toQString(filters.countSubstr()));
  if (chainStr_->text() != toQString(filters.chainStr())) chainStr_->setText(toQString(filters.chainStr()));
  // The memo is rewritten only when its lines are not what the user typed,
  // so typing keeps its cursor.
  patchlore::ViewFilters typed;
  typed.setPatternText(FromQString(memoSubstr_->toPlainText()));
  if (typed.memoSubstr() != filters.memoSubstr()) {
    QString text;
    for (std::size_t i = 0; i < filters.memoSubstr().size(); ++i)
      text += (i ? "\n" : "") + toQString(filters.memoSubstr()[i]);
    const QSignalBlocker blocker(memoSubstr_);
    memoSubstr_->setPlainText(text);
  }
}

void ViewerWindow::showSettings() {
  const patchlore::SettingsArea& settings = core_.state().settings;
  groupExel_->setVisible(settings.exportSettings);
  groupBankProgFilter_->setVisible(settings.bankProgFilter);
  groupProgNameFilter_->setVisible(settings.progNameFilter);
  groupSetting_->setVisible(settings.open);
  settingsArea_->setVisible(settings.open);
  fitSettingsHeight();
}

void ViewerWindow::showSeparator() {
  const patchlore::ViewerState& state = core_.state();
  {
    const QSignalBlocker blocker(editSeparator_);
    editSeparator_->setValue(state.separatorPosition);
  }
  asciiCode_->setText(toQString(state.asciiCode));
  asciiChar_->setText(toQString(state.asciiChar));
}

void ViewerWindow::showHiddenLists() {
  const patchlore::ViewerState& state = core_.state();
  SyncList(offsetBox_, state.offsetBox);
  SyncList(offsetLines_, state.offsetLines);
  SyncList(pcg_, state.pcg);
  SyncList(sngByProg_, state.sngByProg);
}

void ViewerWindow::afterFilterClick() { changed(ViewerPart::Filters); }
