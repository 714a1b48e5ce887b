#include "viewer/ui/settings_groups.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <functional>
#include <utility>

#include "ui/qt_text.hpp"
#include "ui/widgets.hpp"
#include "viewer/viewer_core.hpp"

namespace {

using patchlore::ViewerPart;

constexpr int kExportWidth = 90;
constexpr int kBankProgFilterWidth = 285;
constexpr int kNameFilterWidth = 220;
constexpr int kSeparatorPositions = 5;
// Between the texts and buttons of a row inside a settings group.
constexpr int kRowSpacing = 4;

// A label that answers a click, as the "<Click for ...>" captions do.
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

QPushButton* CloseButton(const char* name, QWidget* parent) {
  auto* button = Named(new QPushButton("x", parent), name);
  button->setFixedSize(18, 18);
  return button;
}

QGridLayout* GroupGrid(QGroupBox* group) {
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(1);
  return grid;
}

QHBoxLayout* SpacedRow() {
  auto* row = new QHBoxLayout;
  row->setSpacing(kRowSpacing);
  return row;
}

// A group holds its designed width, or more where its contents need it.
void FixWidth(QWidget* group, int designed) {
  group->setFixedWidth(std::max(designed, group->minimumSizeHint().width()));
}

}  // namespace

// ---- export separator ----------------------------------------------------------

ExportSeparatorGroup::ExportSeparatorGroup(patchlore::ViewerCore& core, QWidget* parent)
    : QGroupBox("Exel", parent), core_(core) {
  setObjectName("GroupExel");
  QGridLayout* grid = GroupGrid(this);
  grid->addWidget(PlainLabel("ExelSeparator", "Separator", this), 0, 0);
  auto* close = CloseButton("CloseExel", this);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeExportSettings(); });
  grid->addWidget(close, 0, 1, Qt::AlignRight);
  // One control for the edit and its up/down buttons.
  position_ = Named(new QSpinBox(this), "EditSeparator");
  position_->setRange(0, kSeparatorPositions);
  connect(position_, &QSpinBox::valueChanged, this, [this](int position) { core_.setSeparatorPosition(position); });
  grid->addWidget(position_, 1, 0, 1, 2);
  character_ = PlainLabel("ASCII_Char", QString(), this);
  grid->addWidget(character_, 2, 0, 1, 2);
  code_ = PlainLabel("ASCII_Code", QString(), this);
  grid->addWidget(code_, 3, 0, 1, 2);
  FixWidth(this, kExportWidth);
}

void ExportSeparatorGroup::showSeparator() {
  const patchlore::ViewerState& state = core_.state();
  {
    const QSignalBlocker blocker(position_);
    position_->setValue(state.separatorPosition);
  }
  code_->setText(toQString(state.asciiCode));
  character_->setText(toQString(state.asciiChar));
}

// ---- bank/program filter -------------------------------------------------------

BankProgFilterGroup::BankProgFilterGroup(patchlore::ViewerCore& core, patchlore::ViewerReporter& reporter,
                                         QWidget* parent)
    : QGroupBox("Bank/Prog Filter", parent), core_(core), reporter_(reporter) {
  setObjectName("GroupBankProgFilter");
  QGridLayout* grid = GroupGrid(this);
  grid->addWidget(Named(new ClickLabel("<Click for Add>", this), "ClickExist"), 0, 0);
  auto* clickSelect = Named(new ClickLabel("<Click for Delete>", this,
                                           [this] {
                                             core_.filters().clearSelection();
                                             filtersChanged();
                                           }),
                            "ClickSelect");
  auto* close = CloseButton("CloseProgFilter", this);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeBankProgFilter(); });
  QHBoxLayout* selectTitle = SpacedRow();
  selectTitle->addWidget(clickSelect, 1);
  selectTitle->addWidget(close);
  grid->addLayout(selectTitle, 0, 1);
  createLists(grid);
  createFoot(grid);
  FixWidth(this, kBankProgFilterWidth);
}

// A click on an entry met adds it to the selection; one on a selected entry
// takes it out.
void BankProgFilterGroup::createLists(QGridLayout* grid) {
  existing_ = Named(new QListWidget(this), "BoxExist");
  connect(existing_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    core_.filters().selectExisting(existing_->row(item));
    filtersChanged();
  });
  grid->addWidget(existing_, 1, 0);
  selected_ = Named(new QListWidget(this), "BoxSelect");
  connect(selected_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    core_.filters().unselect(selected_->row(item));
    filtersChanged();
  });
  grid->addWidget(selected_, 1, 1);
}

void BankProgFilterGroup::createFoot(QGridLayout* grid) {
  existingCount_ = PlainLabel("CountExist", QString(), this);
  grid->addWidget(existingCount_, 2, 0);
  selectedCount_ = PlainLabel("CountSelect", QString(), this);
  disabled_ = Named(new QRadioButton("Dis", this), "DisProg");
  connect(disabled_, &QRadioButton::clicked, this, [this] {
    core_.filters().disableProgramSelection();
    filtersChanged();
  });
  enabled_ = Named(new QRadioButton("Ena", this), "EnaProg");
  connect(enabled_, &QRadioButton::clicked, this, [this] {
    core_.filters().enableProgramSelection();
    filtersChanged();
  });
  QHBoxLayout* foot = SpacedRow();
  foot->addWidget(selectedCount_, 1);
  foot->addWidget(disabled_);
  foot->addWidget(enabled_);
  grid->addLayout(foot, 2, 1);
}

void BankProgFilterGroup::filtersChanged() { reporter_.changed(ViewerPart::Filters); }

void BankProgFilterGroup::showFilters() {
  const patchlore::ViewFilters& filters = core_.filters();
  AppendOrRebuildList(existing_, filters.boxExist());
  ShowListLines(selected_, filters.boxSelect());
  existingCount_->setText(toQString(filters.countExist()));
  selectedCount_->setText(toQString(filters.countSelect()));
  (filters.enaProg() ? enabled_ : disabled_)->setChecked(true);
}

// ---- program-name filter -------------------------------------------------------

NameFilterGroup::NameFilterGroup(patchlore::ViewerCore& core, patchlore::ViewerReporter& reporter,
                                 QWidget* parent)
    : QGroupBox("ProgName Filter", parent), core_(core), reporter_(reporter) {
  setObjectName("GroupProgNameFilter");
  QGridLayout* grid = GroupGrid(this);
  createTitle(grid);
  patterns_ = Named(new QPlainTextEdit(this), "MemoSubstr");
  patterns_->setLineWrapMode(QPlainTextEdit::NoWrap);
  patterns_->setTabChangesFocus(true);  // a pattern holds no tab; Tab goes on to the next control
  connect(patterns_, &QPlainTextEdit::textChanged, this, [this] {
    core_.filters().setPatternText(FromQString(patterns_->toPlainText()));
    filtersChanged();
  });
  grid->addWidget(patterns_, 1, 0);
  createFoot(grid);
  setMinimumWidth(std::max(kNameFilterWidth, minimumSizeHint().width()));
}

void NameFilterGroup::createTitle(QGridLayout* grid) {
  QHBoxLayout* title = SpacedRow();
  title->addWidget(Named(new ClickLabel("<Click for Clear>", this,
                                        [this] {
                                          core_.filters().clearPatterns();
                                          filtersChanged();
                                        }),
                         "ClickMemo"),
                   1);
  title->addWidget(PlainLabel("ChainTitle", "Chain-Str", this));
  chainStr_ = Named(new QLineEdit(this), "ChainStr");
  chainStr_->setFixedWidth(40);
  connect(chainStr_, &QLineEdit::textEdited, this,
          [this](const QString& text) { core_.filters().setChainStr(FromQString(text)); });
  title->addWidget(chainStr_);
  auto* close = CloseButton("CloseProgNameFilter", this);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeNameFilter(); });
  title->addWidget(close);
  grid->addLayout(title, 0, 0);
}

void NameFilterGroup::createFoot(QGridLayout* grid) {
  patternCount_ = PlainLabel("CountSubstr", QString(), this);
  disabled_ = Named(new QRadioButton("Dis", this), "DisName");
  connect(disabled_, &QRadioButton::clicked, this, [this] {
    core_.filters().disableNameFilter();
    filtersChanged();
  });
  enabled_ = Named(new QRadioButton("Ena", this), "EnaName");
  connect(enabled_, &QRadioButton::clicked, this, [this] {
    core_.filters().enableNameFilter();
    filtersChanged();
  });
  QHBoxLayout* foot = SpacedRow();
  foot->addWidget(patternCount_, 1);
  foot->addWidget(disabled_);
  foot->addWidget(enabled_);
  grid->addLayout(foot, 2, 0);
}

void NameFilterGroup::filtersChanged() { reporter_.changed(ViewerPart::Filters); }

void NameFilterGroup::showFilters() {
  const patchlore::ViewFilters& filters = core_.filters();
  (filters.enaName() ? enabled_ : disabled_)->setChecked(true);
  patternCount_->setText(toQString(filters.countSubstr()));
  if (chainStr_->text() != toQString(filters.chainStr())) chainStr_->setText(toQString(filters.chainStr()));
  showPatterns();
}

// The memo is rewritten only when its lines are not what the user typed, so
// typing keeps its cursor.
void NameFilterGroup::showPatterns() {
  const std::vector<std::string>& patterns = core_.filters().memoSubstr();
  patchlore::ViewFilters typed;
  typed.setPatternText(FromQString(patterns_->toPlainText()));
  if (typed.memoSubstr() == patterns) return;
  QString text;
  for (std::size_t i = 0; i < patterns.size(); ++i) text += (i ? "\n" : "") + toQString(patterns[i]);
  const QSignalBlocker blocker(patterns_);
  patterns_->setPlainText(text);
}
