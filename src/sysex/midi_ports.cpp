#include "sysex/midi_ports.hpp"

#include <algorithm>

#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "formats/sysex_text.hpp"

namespace patchlore {

namespace {

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::uint8_t kFirstStatus = 0x80;

std::string DeviceLine(int device, const std::string& name) {
  return std::to_string(device) + " : " + Utf8ToCp1251(name);
}

std::string NameAt(const std::vector<std::string>& names, int device) {
  return device >= 0 && device < std::ssize(names) ? names[static_cast<std::size_t>(device)] : std::string();
}

// Why a selection is not one whole System Exclusive message; empty when it is.
std::string SendRefusal(Image message) {
  if (message.empty()) return "Not sent: no message is selected.";
  if (message.front() != kSysexStart || message.back() != kSysexEnd)
    return "Not sent: the selection does not start with F0 and end with F7.";
  for (std::size_t i = 1; i + 1 < message.size(); ++i)
    if (message[i] >= kFirstStatus)
      return "Not sent: byte " + std::to_string(i) + " of the selection is " +
             HexPad(message[i], 2) + "; inside a SysEx message every byte is below 80.";
  return {};
}

}  // namespace

int SysexSourceIndex(const Registry& registry, const std::vector<int>& selectedRows) {
  std::vector<int> rows = selectedRows;
  std::sort(rows.begin(), rows.end());
  for (const int row : rows)
    if (row >= 0 && row < registry.count() && registry.kind(row) == FileKind::SysEx) return row;
  for (int index = registry.count() - 1; index >= 0; --index)
    if (registry.kind(index) == FileKind::SysEx) return index;
  return -1;
}

std::string MidiPortsCore::OpenText(const char* kind, int device, const std::string& name,
                                    const MidiResult& result) {
  return std::string("Open ") + kind + " " + std::to_string(device) + " : " + Utf8ToCp1251(name) + " = " +
         std::to_string(static_cast<int>(result.code)) + "; " + result.text;
}

void MidiPortsCore::readDevices() {
  inputNames_ = service_.inputNames();
  outputNames_ = service_.outputNames();
  outputNames_.insert(outputNames_.begin(), service_.defaultOutputName());
  state_.info = "In: " + std::to_string(inputNames_.size()) + "; Out: " + std::to_string(outputNames_.size() - 1);
  if (const std::string reason = service_.unavailableReason(); !reason.empty())
    state_.info += "; " + Utf8ToCp1251(reason);
  state_.inputLines.clear();
  for (int d = 0; d < std::ssize(inputNames_); ++d)
    state_.inputLines.push_back(DeviceLine(d, inputNames_[static_cast<std::size_t>(d)]));
  state_.outputLines.clear();
  for (int d = -1; d + 1 < std::ssize(outputNames_); ++d)
    state_.outputLines.push_back(DeviceLine(d, outputNames_[static_cast<std::size_t>(d + 1)]));
}

// Device numbers are positions in the system's list, which a device plugged
// in or out shifts: a click must reach the device the user saw.
bool MidiPortsCore::stillListed(bool output, int device) {
  const std::string listed = output ? NameAt(outputNames_, device + 1) : NameAt(inputNames_, device);
  const std::string now = output ? (device < 0 ? service_.defaultOutputName() : NameAt(service_.outputNames(), device))
                                 : NameAt(service_.inputNames(), device);
  if (now == listed) return true;
  readDevices();
  state_.info = std::string("The MIDI devices have changed: ") + (output ? "output " : "input ") +
                std::to_string(device) + " is no longer " + Utf8ToCp1251(listed) +
                "; the lists were read again. " + state_.info;
  return false;
}

bool MidiPortsCore::openOutputLine(int line) {
  if (line < 0 || line >= std::ssize(state_.outputLines)) return false;
  const int port = line - 1;
  state_.infoOut = "Selected " + state_.outputLines[static_cast<std::size_t>(line)] +
                   "; MidiOutPort=" + std::to_string(port);
  if (!stillListed(true, port)) return false;
  const MidiResult result = service_.openOutput(port);
  state_.info = OpenText("MidiOutPort", port, outputNames_[static_cast<std::size_t>(line)], result);
  return result.ok();
}

void MidiPortsCore::setSource(Image image) {
  source_ = image;
  scan_.emplace(image);
  selected_.clear();
}

void MidiPortsCore::clearSource() {
  source_ = {};
  scan_.reset();
  selected_.clear();
}

std::string MidiPortsCore::sysexLine(std::int64_t k) const {
  if (!scan_ || k < 0 || k >= scan_->count()) return {};
  const SysexMessage m = scan_->message(k);
  return "offsetF0=" + std::to_string(m.offset) + " offsetF7=" + std::to_string(m.offset + m.length - 1) +
         " length=" + std::to_string(m.length) + " " + SysexText(scan_->bytes(k));
}

void MidiPortsCore::chooseMessage(std::int64_t itemIndex) {
  // A click beside the lines, or on a line no longer listed, selects nothing.
  if (!scan_ || itemIndex < 0 || itemIndex >= scan_->count()) return selectBytes(-1, -1, itemIndex);
  const SysexMessage m = scan_->message(itemIndex);
  selectBytes(m.offset, m.length, itemIndex);
}

void MidiPortsCore::selectBytes(std::int64_t offset, std::int64_t length, std::int64_t itemIndex) {
  const auto size = static_cast<std::int64_t>(source_.size());
  selected_.clear();
  if (scan_ && offset >= 0 && length >= 1 && offset <= size && length <= size - offset) {
    const Image bytes = source_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    selected_.assign(bytes.begin(), bytes.end());
  }
  state_.sendLabel = "sysexSend: length=" + std::to_string(selected_.size()) + "; ItemIndex=" + std::to_string(itemIndex);
}

bool MidiPortsCore::sendSelected() {
  if (std::string refusal = SendRefusal(selected_); !refusal.empty()) {
    state_.sendLabel = std::move(refusal);
    return false;
  }
  const MidiResult result = service_.sendSysex(selected_);
  state_.sendLabel = result.text;
  return result.ok();
}

}  // namespace patchlore
