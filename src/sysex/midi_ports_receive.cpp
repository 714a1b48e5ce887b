// Receiving in the MIDI ports window: SysEx messages from one input are
// collected until the user stops or nothing new has come for a while.
#include <chrono>

#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "sysex/midi_ports.hpp"

namespace patchlore {

void MidiPortsCore::startReceive(int line, std::int64_t nowMs, std::int64_t quietMs) {
  if (state_.receiving || line < 0 || line >= std::ssize(state_.inputLines)) return;
  if (!stillListed(false, line)) return;
  const MidiResult result = service_.openInput(line);
  state_.info = OpenText("MidiInPort", line, inputNames_[static_cast<std::size_t>(line)], result);
  if (!result.ok()) return;
  collector_ = {};
  state_.receiving = true;
  lastNewMs_ = nowMs;
  quietMs_ = quietMs;
  showReceiving();
}

bool MidiPortsCore::pollReceive(std::int64_t nowMs) {
  if (!state_.receiving) return false;
  const std::vector<std::uint8_t> bytes = service_.takeInput();
  if (!bytes.empty()) {
    collector_.feed(bytes);
    lastNewMs_ = nowMs;
    showReceiving();
  } else if (nowMs - lastNewMs_ >= quietMs_) {
    finishReceive("; nothing new for " +
                  std::to_string(std::chrono::duration_cast<std::chrono::seconds>(std::chrono::milliseconds(quietMs_)).count()) +
                  " s");
  }
  return state_.receiving;
}

void MidiPortsCore::stopReceive() {
  if (state_.receiving) finishReceive("");
}

void MidiPortsCore::finishReceive(const std::string& why) {
  service_.closeInput();
  collector_.feed(service_.takeInput());
  state_.receiving = false;
  state_.receiveLabel = "Received. Messages: " + std::to_string(collector_.count()) +
                        "; Bytes: " + std::to_string(collector_.messages().size()) + why;
}

void MidiPortsCore::showReceiving() {
  state_.receiveLabel = "Receiving... Messages: " + std::to_string(collector_.count()) +
                        "; Bytes: " + std::to_string(collector_.bytes());
}

Status MidiPortsCore::saveReceived(const std::string& path) {
  const std::vector<std::uint8_t>& bytes = collector_.messages();
  const Status written = WriteFileSafely(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
  state_.receiveLabel = written ? "Saved <" + Utf8ToCp1251(path) + ">"
                                : "ERROR: Save failed. " + Utf8ToCp1251(written.failure().text);
  return written;
}

}  // namespace patchlore
