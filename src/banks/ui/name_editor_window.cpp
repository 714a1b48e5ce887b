#include "banks/ui/name_editor_window.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"
#include "ui/widgets.hpp"

NameEditorWindow::NameEditorWindow(patchlore::Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), workspace_(workspace), editor_(workspace) {
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
  patchList_ = Named(new QListWidget(this), "ListProg");
  patchList_->setFont(Bold(patchList_->font()));
  changeLog_ = Named(new QListWidget(this), "ListBox1");
  layout()->addWidget(patchList_);
  layout()->addWidget(changeLog_);
  resize(kDesignWidth, kDesignHeight);
  showState();
  workspace_.subscribe(*this);
}

NameEditorWindow::~NameEditorWindow() { workspace_.unsubscribe(*this); }

void NameEditorWindow::imageChanged(int index) {
  if (index != editor_.state().inputs.fileIndex) return;
  editor_.reread();
  showName();
  showState();
}

// The editor has logged the name already.
void NameEditorWindow::showName() {
  const QString name = toQString(editor_.state().editName);
  if (nameEdit_->text() == name) return;  // the cursor stays where it is
  const QSignalBlocker quiet(nameEdit_);
  nameEdit_->setText(name);
}

void NameEditorWindow::createLabels() {
  auto* top = new QHBoxLayout;
  openIndexLabel_ = PlainLabel("LOpenIndex", "LOpenIndex", this);
  bytesLabel_ = PlainLabel("LBytes", "LBytes", this);
  checkSumLabel_ = PlainLabel("LCheckSum", "LCheckSum", this);
  offsetLabel_ = PlainLabel("LOffset", "LOffset", this);
  for (QLabel* label : {openIndexLabel_, bytesLabel_, checkSumLabel_, offsetLabel_}) top->addWidget(label);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(top);
  infoLabel_ = PlainLabel("Info", "Info", this);
  bankInfoLabel_ = PlainLabel("BankInfo", "BankInfo", this);
  column->addWidget(infoLabel_);
  column->addWidget(bankInfoLabel_);
  column->addWidget(PlainLabel("LabelCheckSum", "CheckSum", this));
}

void NameEditorWindow::createEditRow() {
  auto* row = new QHBoxLayout;
  nameEdit_ = Named(new QLineEdit(this), "EditName");
  nameEdit_->setFont(Bold(nameEdit_->font()));
  nameEdit_->setStyleSheet("color: black; background: white;");
  connect(nameEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    editor_.setTypedName(text.toStdString());  // Write names a character Windows-1251 cannot hold
    showState();
  });
  auto* write = BoldButton("Write", "Write", this);
  write->setStyleSheet("color: blue;");
  connect(write, &QPushButton::clicked, this, [this] {
    (void)editor_.write();  // its outcome shows in BankInfo
    showState();
  });
  offsetBankLabel_ = PlainLabel("LOffsetBank", "LOffsetBank", this);
  row->addWidget(nameEdit_, 1);
  row->addWidget(write);
  row->addWidget(offsetBankLabel_);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(row);
  deviceLabel_ = PlainLabel("labelDevice", "labelDevice", this);
  column->addWidget(deviceLabel_);
}

void NameEditorWindow::openPatch(int fileIndex, qint64 bankOffset, int patch) {
  const patchlore::Registry& registry = editor_.registry();
  const auto inputs = patchlore::NameEditorInputsFor(registry, fileIndex, bankOffset, patch);
  if (!inputs) {
    bankInfoLabel_->setText(toQString(inputs.failure().text));
  } else {
    editor_.open(*inputs, patchlore::PatchNameAt(registry, *inputs));
    showName();
    showState();
  }
  show();
  raise();
  activateWindow();
}

void NameEditorWindow::showState() {
  const patchlore::NameEditorState& state = editor_.state();
  const patchlore::NameEditorLabels& labels = state.inputs.labels;
  setWindowTitle(toQString(labels.caption));
  openIndexLabel_->setText(toQString(labels.openIndex));
  bytesLabel_->setText(toQString(labels.bytes));
  checkSumLabel_->setText(toQString(labels.checkSum));
  offsetLabel_->setText(toQString(labels.offset));
  offsetBankLabel_->setText(toQString(labels.offsetBank));
  infoLabel_->setText(toQString(labels.info));
  bankInfoLabel_->setText(toQString(state.bankInfo));
  deviceLabel_->setText(toQString(state.device));
  AppendOrRebuildList(changeLog_, state.log);
}
