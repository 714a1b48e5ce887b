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
#include "ui/widgets.hpp"

using patchlore::BankSide;

namespace {

// A label whose text can be selected and copied, and whose long texts do not
// widen the window.
QLabel* InfoLabel(const std::string& name, const QString& caption, QWidget* parent) {
  QLabel* label = PlainLabel(name.c_str(), caption, parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  return label;
}

QListWidget* List(const std::string& name, QWidget* parent) { return Named(new QListWidget(parent), name.c_str()); }

}  // namespace

BankManagerWindow::BankManagerWindow(patchlore::Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace), core_(workspace) {
  setObjectName("TFormBankManager");
  setWindowTitle("Bank Manager");
  setFont(DesignFont("MS Sans Serif", 8, false));
  resize(751, 422);
  from_ = createSide("From", "FromBank Info");
  to_ = createSide("To", "ToBank Info");
  checkSumInfo_ = InfoLabel("checkSum_Info", "checkSum_Info", this);
  createButtons();
  layOut();
  connectSide(from_, BankSide::From);
  connectSide(to_, BankSide::To);
  showState();
  workspace_.subscribe(*this);
}

BankManagerWindow::~BankManagerWindow() { workspace_.unsubscribe(*this); }

void BankManagerWindow::imageChanged(int index) {
  core_.reread(index);
  showState();
}

BankManagerWindow::Side BankManagerWindow::createSide(const std::string& name, const char* bankInfoCaption) {
  return {List(name + "Box", this),
          List(name + "Banks", this),
          List(name + "Progs", this),
          InfoLabel(name + "BoxInfo", toQString(name + "BoxInfo"), this),
          InfoLabel(name + "24", toQString(name + "24"), this),
          InfoLabel(name + "BankInfo", bankInfoCaption, this)};
}

void BankManagerWindow::createButtons() {
  writeButton_ = BoldButton("WriteBank", "Write", this);
  moveButton_ = BoldButton("Move", "Move", this);
  moveOffset_ = Named(new QSpinBox(this), "SwapOff");
  moveLength_ = Named(new QSpinBox(this), "SwapLen");
  offsetTitle_ = InfoLabel("offsetTitle", "offset (Hex)", this);
  lengthTitle_ = InfoLabel("lengthTitle", "length (Dec)", this);
  moveIni2_ = InfoLabel("MoveINI2", "MoveINI2", this);
  moveSize_ = InfoLabel("MoveSize", "MoveSize", this);
  moveInfo_ = InfoLabel("MoveInfo", "MoveInfo", this);
  connect(writeButton_, &QPushButton::clicked, this, [this] {
    (void)core_.write();  // its outcome shows in checkSum_Info
    showState();
  });
  connect(moveButton_, &QPushButton::clicked, this, [this] {
    (void)core_.move();  // its outcome shows in MoveSize and MoveINI2
    showState();
  });
  connect(moveOffset_, &QSpinBox::valueChanged, this, [this](int value) {
    core_.setOffset(value);
    showState();
  });
  connect(moveLength_, &QSpinBox::valueChanged, this, [this](int value) {
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
  commands->addWidget(writeButton_, 1, 0);
  auto* writeTitle = new QLabel(" Bank From ---> To", this);
  writeTitle->setFont(writeButton_->font());
  commands->addWidget(writeTitle, 1, 1);
  commands->addWidget(offsetTitle_, 0, 2);
  commands->addWidget(moveOffset_, 1, 2);
  commands->addWidget(lengthTitle_, 0, 3);
  commands->addWidget(moveLength_, 1, 3);
  commands->addWidget(moveIni2_, 0, 4);
  commands->addWidget(moveSize_, 1, 4);
  commands->addWidget(moveButton_, 1, 5);
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
  ShowListLines(side.box, core_.state().files);
  ShowListLines(side.banks, state.banks);
  ShowListLines(side.progs, state.patches);
  if (!state.boxInfo.empty()) side.boxInfo->setText(toQString(state.boxInfo));
  if (!state.header24.empty()) side.header24->setText(toQString(state.header24));
  if (state.bankChosen || state.file >= 0) side.bankInfo->setText(toQString(state.bankInfo));
}

void BankManagerWindow::showState() {
  const auto& state = core_.state();
  showSide(from_, state.from);
  showSide(to_, state.to);
  checkSumInfo_->setText(toQString(state.checkSumInfo));
  writeButton_->setEnabled(state.writeEnabled);
  moveButton_->setEnabled(state.moveEnabled);
  for (QSpinBox* box : {moveOffset_, moveLength_}) {
    const QSignalBlocker blocker(box);
    box->setMaximum(state.swapMax);
  }
  offsetTitle_->setText(toQString(state.offsetTitle));
  lengthTitle_->setText(toQString(state.lengthTitle));
  moveIni2_->setText(toQString(state.moveIni2));
  moveSize_->setText(toQString(state.moveSize));
  moveInfo_->setText(toQString(state.moveInfo));
}
