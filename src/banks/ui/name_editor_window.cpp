#include "banks/ui/name_editor_window.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/cp1251.hpp"
#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"

namespace {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}


}  // namespace

NameEditorWindow::NameEditorWindow(patchlore::Registry& registry, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), editor_(registry) {
  setObjectName("TFormEdit");
  setWindowTitle("Edit");
  setFont(DesignWindowFont());
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::blue);
  colours.setColor(QPalette::WindowText, Qt::white);
  setPalette(colours);
  new QVBoxLayout(this);
  createLabels();
  createEditRow();
  listProg_ = new QListWidget(this);
  listProg_->setObjectName("ListProg");
  listProg_->setFont(DesignFont("MS Sans Serif", 8, true));
  listBox1_ = new QListWidget(this);
  listBox1_->setObjectName("ListBox1");
  layout()->addWidget(listProg_);
  layout()->addWidget(listBox1_);
  resize(kDesignWidth, kDesignHeight);
  showState();
}

void NameEditorWindow::createLabels() {
  auto* top = new QHBoxLayout;
  openIndex_ = NamedLabel("LOpenIndex", "LOpenIndex", this);
  bytes_ = NamedLabel("LBytes", "LBytes", this);
  checkSum_ = NamedLabel("LCheckSum", "LCheckSum", this);
  offset_ = NamedLabel("LOffset", "LOffset", this);
  for (QLabel* label : {openIndex_, bytes_, checkSum_, offset_}) top->addWidget(label);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(top);
  info_ = NamedLabel("Info", "Info", this);
  bankInfo_ = NamedLabel("BankInfo", "BankInfo", this);
  column->addWidget(info_);
  column->addWidget(bankInfo_);
  column->addWidget(NamedLabel("LabelCheckSum", "CheckSum", this));
}

void NameEditorWindow::createEditRow() {
  auto* row = new QHBoxLayout;
  editName_ = new QLineEdit(this);
  editName_->setObjectName("EditName");
  editName_->setFont(DesignFont("MS Sans Serif", 8, true));
  editName_->setStyleSheet("color: black; background: white;");
  connect(editName_, &QLineEdit::textChanged, this, [this](const QString& text) {
    editor_.setName(FromQString(text));
    showState();
  });
  auto* write = new QPushButton("Write", this);
  write->setObjectName("Write");
  write->setFont(DesignFont("MS Sans Serif", 8, true));
  write->setStyleSheet("color: blue;");
  connect(write, &QPushButton::clicked, this, [this] {
    editor_.write();
    showState();
  });
  offsetBank_ = NamedLabel("LOffsetBank", "LOffsetBank", this);
  row->addWidget(editName_, 1);
  row->addWidget(write);
  row->addWidget(offsetBank_);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(row);
  device_ = NamedLabel("labelDevice", "labelDevice", this);
  column->addWidget(device_);
}

void NameEditorWindow::openPatch(int fileIndex, qint64 bankOffset, int patch) {
  const patchlore::Registry& registry = editor_.registry();
  const auto inputs = patchlore::NameEditorInputsFor(registry, fileIndex, bankOffset, patch);
  if (!inputs) {
    bankInfo_->setText(toQString(inputs.failure().text));
  } else {
    const std::string name = patchlore::PatchNameAt(registry, *inputs);
    editor_.open(*inputs, name);
    const QSignalBlocker quiet(editName_);  // the editor has logged the name already
    editName_->setText(toQString(name));
    showState();
  }
  show();
  raise();
  activateWindow();
}

void NameEditorWindow::showState() {
  const patchlore::NameEditorState& state = editor_.state();
  setWindowTitle(toQString(state.inputs.caption));
  openIndex_->setText(toQString(state.inputs.openIndex));
  bytes_->setText(toQString(state.inputs.bytes));
  checkSum_->setText(toQString(state.inputs.checkSum));
  offset_->setText(toQString(state.inputs.offset));
  offsetBank_->setText(toQString(state.inputs.offsetBank));
  info_->setText(toQString(state.inputs.info));
  bankInfo_->setText(toQString(state.bankInfo));
  device_->setText(toQString(state.device));
  for (int line = listBox1_->count(); line < std::ssize(state.log); ++line)
    listBox1_->addItem(toQString(state.log[static_cast<std::size_t>(line)]));
}
