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

namespace {

constexpr int kInputListWidth = 265;
constexpr int kOutputListWidth = 241;
constexpr int kDeviceListHeight = 97;
constexpr int kSysexListHeight = 164;
constexpr int kReceivePollMs = 50;
constexpr const char* kReceivedName = "Received.syx";

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(name, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);  // results and reasons may be long
  return label;
}

// Lists are filled anew only when their lines changed, so that a selection
// survives every other update.
void ShowLines(QListWidget* list, const std::vector<std::string>& lines) {
  bool same = list->count() == std::ssize(lines);
  for (int i = 0; same && i < list->count(); ++i)
    same = list->item(i)->text() == toQString(lines[static_cast<std::size_t>(i)]);
  if (same) return;
  list->clear();
  for (const std::string& line : lines) list->addItem(toQString(line));
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
  core_.formCreate();
  showState();
}

MidiPortsWindow::~MidiPortsWindow() { core_.stopReceive(); }

void MidiPortsWindow::createButtons() {
  auto* column = static_cast<QVBoxLayout*>(layout());
  auto* row = new QHBoxLayout;
  auto* send = new QPushButton("SendSysex", this);
  send->setObjectName("SendSysex");
  connect(send, &QPushButton::clicked, this, [this] {
    core_.sendSysexClick();
    showState();
  });
  receive_ = new QPushButton("Receive...", this);
  receive_->setObjectName("ReceiveSysex");
  connect(receive_, &QPushButton::clicked, this, &MidiPortsWindow::toggleReceive);
  saveReceived_ = new QPushButton("Save Received...", this);
  saveReceived_->setObjectName("SaveReceived");
  connect(saveReceived_, &QPushButton::clicked, this, &MidiPortsWindow::saveReceived);
  row->addWidget(send);
  row->addWidget(receive_);
  row->addWidget(saveReceived_);
  row->addStretch(1);
  column->addLayout(row);
  sendLabel_ = NamedLabel("SendLabel", this);
  info_ = NamedLabel("Info", this);
  receiveLabel_ = NamedLabel("ReceiveLabel", this);
  for (QLabel* label : {sendLabel_, info_, receiveLabel_}) column->addWidget(label);
}

void MidiPortsWindow::createDeviceLists() {
  auto* grid = new QGridLayout;
  infoOut_ = NamedLabel("Info_Out", this);
  grid->addWidget(NamedLabel("Info_In", this), 0, 0);
  grid->addWidget(infoOut_, 0, 1);
  listIn_ = new QListWidget(this);
  listIn_->setObjectName("ListMidi_In");
  listIn_->setFixedSize(kInputListWidth, kDeviceListHeight);
  listOut_ = new QListWidget(this);
  listOut_->setObjectName("ListMidi_Out");
  listOut_->setFixedSize(kOutputListWidth, kDeviceListHeight);
  connect(listOut_, &QListWidget::itemClicked, this, [this] {
    core_.listMidiOutClick(listOut_->currentRow());
    showState();
  });
  grid->addWidget(listIn_, 1, 0);
  grid->addWidget(listOut_, 1, 1);
  grid->setColumnStretch(2, 1);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(grid);
  column->addWidget(NamedLabel("InfoSysex", this));
}

void MidiPortsWindow::createSysexList() {
  sysexLines_ = new SysexLineModel(core_, this);
  listSysex_ = new QListView(this);
  listSysex_->setObjectName("ListSysex");
  listSysex_->setUniformItemSizes(true);
  listSysex_->setModel(sysexLines_);
  listSysex_->setMinimumHeight(kSysexListHeight);
  connect(listSysex_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            core_.listSysexClick(current.isValid() ? current.row() : -1);
            showState();
          });
  layout()->addWidget(listSysex_);
}

void MidiPortsWindow::openWithSource(patchlore::Image image) {
  sysexLines_->reset([&] {
    if (image.empty()) core_.clearSource(); else core_.setSource(image);
  });
  if (!core_.state().receiving) core_.formCreate();
  showState();
  show();
  raise();
  activateWindow();
}

void MidiPortsWindow::toggleReceive() {
  if (core_.state().receiving) {
    core_.stopReceive();
    receiveEnded();
    return;
  }
  core_.startReceive(listIn_->currentRow(), clock_.elapsed(), kQuietMs);
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
  if (path) core_.saveReceived(*path);
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
  sendLabel_->setText(toQString(state.sendLabel));
  info_->setText(toQString(state.info));
  infoOut_->setText(toQString(state.infoOut));
  receiveLabel_->setText(toQString(state.receiveLabel));
  ShowLines(listIn_, state.inputLines);
  ShowLines(listOut_, state.outputLines);
  receive_->setText(state.receiving ? "Stop" : "Receive...");
  saveReceived_->setEnabled(!state.receiving && core_.receivedCount() > 0);
}
