// The MIDI ports window (TFormMidiPorts) without its widgets: the device
// lists, the output the user clicks, the SysEx message picked from the
// list of a loaded SysEx file, sending it, and receiving messages from an
// input. Every text the window shows is made here; MidiService does the
// MIDI work.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/registry.hpp"
#include "common/byte_buffer.hpp"
#include "common/bytes.hpp"
#include "common/midi_service.hpp"
#include "common/result.hpp"
#include "formats/sysex_scan.hpp"
#include "sysex/sysex_collector.hpp"

namespace patchlore {

// The loaded file whose messages the window lists: the first selected row
// (of OpenList) that is a SysEx file, else the SysEx file loaded last; -1
// when no SysEx file is loaded.
int SysexSourceIndex(const Registry& registry, const std::vector<int>& selectedRows);

struct MidiPortsState {
  std::string sendLabel = "SendLabel";  // the selection, then the send result
  std::string info = "Info";            // device counts, then the open result
  std::string infoOut = "Info_Out";     // the output clicked
  std::vector<std::string> inputLines;  // ListMidi_In: "d : name"
  std::vector<std::string> outputLines; // ListMidi_Out: from device -1
  std::string receiveLabel = "ReceiveLabel";  // what was received so far
  bool receiving = false;
};

class MidiPortsCore {
 public:
  explicit MidiPortsCore(MidiService& service) : service_(service) {}

  const MidiPortsState& state() const { return state_; }

  // Reads the device lists anew: Info "In: N; Out: M" (with the reason when
  // no MIDI system can be reached), one line per input, and one per output
  // from device -1, the default output.
  void readDevices();
  // Opens the output listed on line of ListMidi_Out (device line - 1); a
  // click beside the lines (-1) does nothing. When the device at that
  // position is no longer the one listed, nothing is opened and the lists
  // are read again. True when the output opened.
  bool openOutputLine(int line);

  // The image whose messages ListSysex lists and from which a selection
  // takes its bytes; it must outlive its use here.
  void setSource(Image image);
  void clearSource();
  std::int64_t sysexLineCount() const { return scan_ ? scan_->count() : 0; }
  // Line k of ListSysex: «offsetF0=26 offsetF7=195 length=170 » and the
  // message's decoded text. Made when asked for.
  std::string sysexLine(std::int64_t k) const;
  // Selects the message of line itemIndex (none when -1).
  void chooseMessage(std::int64_t itemIndex);
  // Selects length bytes of the source image from offset, as the line
  // itemIndex names them: only when they lie wholly inside the image, else
  // an empty message.
  void selectBytes(std::int64_t offset, std::int64_t length, std::int64_t itemIndex);
  Image selectedMessage() const { return selected_; }
  // Sends the selected message when it is one whole System Exclusive
  // message; SendLabel says why not, or what the output said. True when the
  // output took it.
  bool sendSelected();

  // Starts collecting SysEx messages from the input listed on line of
  // ListMidi_In; receiving stops by itself after quietMs with nothing new.
  void startReceive(int line, std::int64_t nowMs, std::int64_t quietMs);
  // Takes what arrived; false once receiving has stopped.
  bool pollReceive(std::int64_t nowMs);
  void stopReceive();
  // The messages received, back to back.
  const std::vector<std::uint8_t>& received() const { return collector_.messages(); }
  std::int64_t receivedCount() const { return collector_.count(); }
  // Writes the received messages as a ".syx" file; ReceiveLabel says how
  // it went.
  Status saveReceived(const std::string& path);

 private:
  // «Open MidiOutPort 0 : name = 0; text»: what opening a device gave.
  static std::string OpenText(const char* kind, int device, const std::string& name, const MidiResult& result);
  bool stillListed(bool output, int device);
  void showReceiving();
  void finishReceive(const std::string& why);

  MidiService& service_;
  MidiPortsState state_;
  std::vector<std::string> inputNames_;   // as listed, in the system's text
  std::vector<std::string> outputNames_;  // as listed, from device -1
  Image source_;
  std::optional<SysexScan> scan_;
  std::vector<std::uint8_t> selected_;  // kept until the next selection
  SysexCollector collector_;
  std::int64_t lastNewMs_ = 0;
  std::int64_t quietMs_ = 0;
};

}  // namespace patchlore
