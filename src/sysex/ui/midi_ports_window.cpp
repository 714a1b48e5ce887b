#include "sysex/ui/midi_ports_window.hpp"

#include <QAbstractListModel>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"
#include "ui/widgets.hpp"

namespace {

constexpr int kInputListWidth = 265;
constexpr int kOutputListWidth = 241;
constexpr int kDeviceListHeight = 97;
constexpr int kReceivePollMs = 50;
constexpr const char* kReceivedName = "Received.syx";

// A plain label that wraps: results and reasons may be long.
QLabel* WrappedLabel(const char* name, QWidget* parent) {
  QLabel* label = PlainLabel(name, name, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

// The lines of ListSysex, made only for the rows on screen: a file may hold
// millions of messages.
class SysexLineModel : public QAbstractListModel {
 public:
  SysexLineModel(const patchlore::MidiPortsCore& core, QObject* parent) : QAbstractListModel(parent), core_(core) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(std::min<std::int64_t>(core_.sysexLineCount(), INT_MAX));
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return toQString(core_.sysexLine(index.row()));
  }
  void reset(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
  }

 private:
  const patchlore::MidiPortsCore& core_;
};

MidiPortsWindow::MidiPortsWindow(patchlore::MidiService& service, patchlore::Dialogs& dialogs,
                                 ReceivedSink addReceived, QWidget* parent)
    : QWidget(parent, Qt::Window), core_(service), dialogs_(dialogs), addReceived_(std::move(addReceived)) {
  setObjectName("FormMidiPorts");
  setWindowTitle("FormMidiPorts");
  setFont(DesignWindowFont());
  new QVBoxLayout(this);
  createButtons();
  createDeviceLists();
  createSysexList();
  receiveTimer_ = new QTimer(this);
  receiveTimer_->setInterval(kReceivePollMs);
  connect(receiveTimer_, &QTimer::timeout, this, &MidiPortsWindow::pollReceive);
  clock_.start();
  resize(kDesignWidth, kDesignHeight);
  core_.readDevices();
  showState();
}

MidiPortsWindow::~MidiPortsWindow() { core_.stopReceive(); }

void MidiPortsWindow::createButtons() {
  auto* column = static_cast<QVBoxLayout*>(layout());
  auto* row = new QHBoxLayout;
  auto* send = Named(new QPushButton("SendSysex", this), "SendSysex");
  connect(send, &QPushButton::clicked, this, [this] {
    core_.sendSelected();
    showState();
  });
  receiveButton_ = Named(new QPushButton("Receive...", this), "ReceiveSysex");
  connect(receiveButton_, &QPushButton::clicked, this, &MidiPortsWindow::toggleReceive);
  saveButton_ = Named(new QPushButton("Save Received...", this), "SaveReceived");
  connect(saveButton_, &QPushButton::clicked, this, &MidiPortsWindow::saveReceived);
  row->addWidget(send);
  row->addWidget(receiveButton_);
  row->addWidget(saveButton_);
  refreshButton_ = Named(new QPushButton("Refresh", this), "RefreshPorts");
  connect(refreshButton_, &QPushButton::clicked, this, &MidiPortsWindow::refreshDevices);
  row->addWidget(refreshButton_);
  row->addStretch(1);
  column->addLayout(row);
  sendStatus_ = WrappedLabel("SendLabel", this);
  deviceStatus_ = WrappedLabel("Info", this);
  receiveStatus_ = WrappedLabel("ReceiveLabel", this);
  for (QLabel* label : {sendStatus_, deviceStatus_, receiveStatus_}) column->addWidget(label);
}

void MidiPortsWindow::createDeviceLists() {
  auto* grid = new QGridLayout;
  chosenOutput_ = WrappedLabel("Info_Out", this);
  grid->addWidget(WrappedLabel("Info_In", this), 0, 0);
  grid->addWidget(chosenOutput_, 0, 1);
  inputs_ = Named(new QListWidget(this), "ListMidi_In");
  inputs_->setFixedSize(kInputListWidth, kDeviceListHeight);
  outputs_ = Named(new QListWidget(this), "ListMidi_Out");
  outputs_->setFixedSize(kOutputListWidth, kDeviceListHeight);
  connect(outputs_, &QListWidget::itemClicked, this, [this] {
    core_.openOutputLine(outputs_->currentRow());
    showState();
  });
  grid->addWidget(inputs_, 1, 0);
  grid->addWidget(outputs_, 1, 1);
  grid->setColumnStretch(2, 1);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(grid);
  column->addWidget(WrappedLabel("InfoSysex", this));
}

void MidiPortsWindow::createSysexList() {
  messageLines_ = new SysexLineModel(core_, this);
  auto* messages = Named(new QListView(this), "ListSysex");
  messages->setUniformItemSizes(true);
  messages->setModel(messageLines_);
  // It takes the height the other parts leave, however much their texts need.
  messages->setMinimumHeight(4 * messages->fontMetrics().height() + 2 * messages->frameWidth());
  connect(messages->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            core_.chooseMessage(current.isValid() ? current.row() : -1);
            showState();
          });
  layout()->addWidget(messages);
}

void MidiPortsWindow::openWithSource(patchlore::Image image) {
  messageLines_->reset([&] {
    if (image.empty()) core_.clearSource(); else core_.setSource(image);
  });
  if (isVisible())
    refreshDevices();
  else
    show();
  raise();
  activateWindow();
}

void MidiPortsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refreshDevices();
}

void MidiPortsWindow::refreshDevices() {
  if (!core_.state().receiving) core_.readDevices();
  showState();
}

void MidiPortsWindow::toggleReceive() {
  if (core_.state().receiving) {
    core_.stopReceive();
    receiveEnded();
    return;
  }
  core_.startReceive(inputs_->currentRow(), clock_.elapsed(), kQuietMs);
  if (core_.state().receiving) receiveTimer_->start();
  showState();
}

void MidiPortsWindow::pollReceive() {
  if (!core_.pollReceive(clock_.elapsed())) receiveEnded();
  showState();
}

void MidiPortsWindow::receiveEnded() {
  receiveTimer_->stop();
  if (core_.receivedCount() > 0)
    addReceived_(patchlore::ByteBuffer::CopyOf(core_.received()), kReceivedName);
  showState();
}

void MidiPortsWindow::saveReceived() {
  const auto path = dialogs_.saveFile(kReceivedName, "SysEx files (*.syx)|*.syx");
  if (path) (void)core_.saveReceived(*path);  // ReceiveLabel says how it went
  showState();
}

void MidiPortsWindow::closeEvent(QCloseEvent* event) {
  if (core_.state().receiving) {
    core_.stopReceive();
    receiveEnded();
  }
  QWidget::closeEvent(event);
}

void MidiPortsWindow::showState() {
  const patchlore::MidiPortsState& state = core_.state();
  sendStatus_->setText(toQString(state.sendLabel));
  deviceStatus_->setText(toQString(state.info));
  chosenOutput_->setText(toQString(state.infoOut));
  receiveStatus_->setText(toQString(state.receiveLabel));
  ShowListLines(inputs_, state.inputLines);
  ShowListLines(outputs_, state.outputLines);
  receiveButton_->setText(state.receiving ? "Stop" : "Receive...");
  saveButton_->setEnabled(!state.receiving && core_.receivedCount() > 0);
  refreshButton_->setEnabled(!state.receiving);
}
