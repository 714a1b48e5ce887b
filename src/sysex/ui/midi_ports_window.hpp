// The MIDI ports window (TFormMidiPorts): device lists, the output the user
// clicks, the messages of a loaded SysEx file to pick and send, and
// receiving SysEx messages from an input. MidiPortsCore holds its texts;
// this window forwards clicks and copies the state onto its widgets.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>

#include "common/byte_buffer.hpp"
#include "common/bytes.hpp"
#include "common/midi_service.hpp"
#include "common/services.hpp"
#include "sysex/midi_ports.hpp"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class SysexLineModel;

class MidiPortsWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 544;
  static constexpr int kDesignHeight = 410;
  // Receiving stops by itself after this long with nothing new.
  static constexpr qint64 kQuietMs = std::chrono::milliseconds(std::chrono::minutes(1)).count();

  // Received messages are handed to addReceived (the bytes and a name for
  // them), which makes them a loaded file. service and dialogs outlive the
  // window.
  using ReceivedSink = std::function<void(patchlore::ByteBuffer, const std::string& name)>;
  MidiPortsWindow(patchlore::MidiService& service, patchlore::Dialogs& dialogs, ReceivedSink addReceived,
                  QWidget* parent = nullptr);
  ~MidiPortsWindow() override;

  patchlore::MidiPortsCore& core() { return core_; }

  // Lists the messages of image (none when it is empty) and shows the
  // window with the device lists read again.
  void openWithSource(patchlore::Image image);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Devices come and go while the window is closed or minimized.
  void showEvent(QShowEvent* event) override;

 private:
  void createButtons();
  void createDeviceLists();
  void createSysexList();
  void toggleReceive();
  void pollReceive();
  void receiveEnded();
  void saveReceived();
  // Reads the device lists again, unless an input is being received from.
  void refreshDevices();
  void showState();

  patchlore::MidiPortsCore core_;
  patchlore::Dialogs& dialogs_;
  ReceivedSink addReceived_;
  QElapsedTimer clock_;
  QTimer* receiveTimer_ = nullptr;
  QPushButton* receiveButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* refreshButton_ = nullptr;
  QLabel* sendStatus_ = nullptr;
  QLabel* deviceStatus_ = nullptr;
  QLabel* chosenOutput_ = nullptr;
  QLabel* receiveStatus_ = nullptr;
  QListWidget* inputs_ = nullptr;
  QListWidget* outputs_ = nullptr;
  SysexLineModel* messageLines_ = nullptr;
};
