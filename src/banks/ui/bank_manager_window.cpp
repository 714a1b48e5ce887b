#include "banks/ui/bank_manager_window.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"

using patchlore::BankSide;

namespace {

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // long texts do not widen the window
  return label;
}

QListWidget* NamedList(QWidget* parent, const QString& name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  return list;
}

QPushButton* BoldButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  return button;
}

// Refills the list only when its lines changed, so that a choice stays marked.
void ShowLines(QListWidget* list, const std::vector<std::string>& lines) {
  bool same = list->count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list->count(); ++i) same = list->item(i)->text() == toQString(lines[static_cast<std::size_t>(i)]);
  if (same) return;
  const QSignalBlocker blocker(list);
  const int row = list->currentRow();
  list->clear();
  for (const auto& line : lines) list->addItem(toQString(line));
  if (row < list->count()) list->setCurrentRow(row);
}

}  // namespace

BankManagerWindow::BankManagerWindow(patchlore::Registry& registry, QWidget* parent)
    : QWidget(parent, Qt::Window), core_(registry) {
  setObjectName("TFormBankManager");
  setWindowTitle("Bank Manager");
  setFont(DesignFont("MS Sans Serif", 8, false));
  resize(751, 422);
  from_ = createSide("From", "FromBank Info");
  to_ = createSide("To", "ToBank Info");
  checkSumInfo_ = NamedLabel(this, "checkSum_Info", "checkSum_Info");
  createButtons();
  layOut();
  connectSide(from_, BankSide::From);
  connectSide(to_, BankSide::To);
  showState();
}

BankManagerWindow::Side BankManagerWindow::createSide(const char* name, const char* bankInfoCaption) {
  const QString n = name;
  Side side{NamedList(this, n + "Box"), NamedList(this, n + "Banks"), NamedList(this, n + "Progs"),
            nullptr, nullptr, nullptr};
  side.boxInfo = NamedLabel(this, (n + "BoxInfo").toLatin1().constData(), n + "BoxInfo");
  side.header24 = NamedLabel(this, (n + "24").toLatin1().constData(), n + "24");
  side.bankInfo = NamedLabel(this, (n + "BankInfo").toLatin1().constData(), bankInfoCaption);
  return side;
}

void BankManagerWindow::createButtons() {
  writeBank_ = BoldButton(this, "WriteBank", "Write");
  move_ = BoldButton(this, "Move", "Move");
  swapOff_ = new QSpinBox(this);
  swapOff_->setObjectName("SwapOff");
  swapLen_ = new QSpinBox(this);
  swapLen_->setObjectName("SwapLen");
  offsetTitle_ = NamedLabel(this, "offsetTitle", "offset (Hex)");
  lengthTitle_ = NamedLabel(this, "lengthTitle", "length (Dec)");
  moveIni2_ = NamedLabel(this, "MoveINI2", "MoveINI2");
  moveSize_ = NamedLabel(this, "MoveSize", "MoveSize");
  moveInfo_ = NamedLabel(this, "MoveInfo", "MoveInfo");
  connect(writeBank_, &QPushButton::clicked, this, [this] {
    core_.write();
    showState();
  });
  connect(move_, &QPushButton::clicked, this, [this] {
    core_.move();
    showState();
  });
  connect(swapOff_, &QSpinBox::valueChanged, this, [this](int value) {
    core_.setOffset(value);
    showState();
  });
  connect(swapLen_, &QSpinBox::valueChanged, this, [this](int value) {
    core_.setLength(value);
    showState();
  });
}

void BankManagerWindow::layOut() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Copy Bank : Select  From ---> To             (File , Bank)", this));
  auto* files = new QGroupBox("Group Files", this);
  auto* filesGrid = new QGridLayout(files);
  auto* banks = new QGroupBox("Group Banks", this);
  auto* banksGrid = new QGridLayout(banks);
  auto* progs = new QHBoxLayout;
  int column = 0;
  for (const Side* side : {&from_, &to_}) {
    filesGrid->addWidget(side->box, 0, column);
    filesGrid->addWidget(side->boxInfo, 1, column);
    banksGrid->addWidget(side->banks, 0, column);
    banksGrid->addWidget(side->header24, 1, column);
    banksGrid->addWidget(side->bankInfo, 2, column);
    progs->addWidget(side->progs);
    ++column;
  }
  layout->addWidget(files);
  layout->addWidget(banks);
  layout->addLayout(progs);
  layout->addWidget(checkSumInfo_);
  auto* commands = new QGridLayout;
  commands->addWidget(writeBank_, 1, 0);
  auto* writeTitle = new QLabel(" Bank From ---> To", this);
  writeTitle->setFont(writeBank_->font());
  commands->addWidget(writeTitle, 1, 1);
  commands->addWidget(offsetTitle_, 0, 2);
  commands->addWidget(swapOff_, 1, 2);
  commands->addWidget(lengthTitle_, 0, 3);
  commands->addWidget(swapLen_, 1, 3);
  commands->addWidget(moveIni2_, 0, 4);
  commands->addWidget(moveSize_, 1, 4);
  commands->addWidget(move_, 1, 5);
  commands->addWidget(moveInfo_, 1, 6);
  commands->setColumnStretch(4, 2);
  commands->setColumnStretch(6, 3);
  layout->addLayout(commands);
}

void BankManagerWindow::connectSide(const Side& side, BankSide which) {
  connect(side.box, &QListWidget::itemClicked, this, [this, list = side.box, which](QListWidgetItem* item) {
    core_.chooseFile(which, list->row(item));
    showState();
  });
  connect(side.banks, &QListWidget::itemClicked, this, [this, list = side.banks, which](QListWidgetItem* item) {
    core_.chooseBank(which, list->row(item));
    showState();
  });
  connect(side.progs, &QListWidget::itemClicked, this, [this, list = side.progs, which](QListWidgetItem* item) {
    core_.choosePatch(which, list->row(item));
    showState();
  });
}

void BankManagerWindow::openFromCommand() {
  core_.open();
  showState();
  show();
  raise();
  activateWindow();
}

void BankManagerWindow::showSide(const Side& side, const patchlore::BankSideState& state) {
  ShowLines(side.box, core_.state().files);
  ShowLines(side.banks, state.banks);
  ShowLines(side.progs, state.patches);
  if (!state.boxInfo.empty()) side.boxInfo->setText(toQString(state.boxInfo));
  if (!state.header24.empty()) side.header24->setText(toQString(state.header24));
  if (state.bankChosen || state.file >= 0) side.bankInfo->setText(toQString(state.bankInfo));
}

void BankManagerWindow::showState() {
  const auto& state = core_.state();
  showSide(from_, state.from);
  showSide(to_, state.to);
  checkSumInfo_->setText(toQString(state.checkSumInfo));
  writeBank_->setEnabled(state.writeEnabled);
  move_->setEnabled(state.moveEnabled);
  for (QSpinBox* box : {swapOff_, swapLen_}) {
    const QSignalBlocker blocker(box);
    box->setMaximum(state.swapMax);
  }
  offsetTitle_->setText(toQString(state.offsetTitle));
  lengthTitle_->setText(toQString(state.lengthTitle));
  moveIni2_->setText(toQString(state.moveIni2));
  moveSize_->setText(toQString(state.moveSize));
  moveInfo_->setText(toQString(state.moveInfo));
}
