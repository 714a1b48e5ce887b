#include "common/midi_service.hpp"

namespace patchlore {

std::string MidiCodeSentence(MidiCode code) {
  switch (code) {
    case MidiCode::Ok: return "The operation completed successfully.";
    case MidiCode::NoDevice: return "There is no MIDI device of this kind.";
    case MidiCode::BadDevice: return "There is no MIDI device with this number.";
    case MidiCode::NotOpen: return "No MIDI output is open.";
    case MidiCode::SystemError: return "The MIDI system reported a problem; the operation did not complete.";
    case MidiCode::TooLong: return "The MIDI output cannot take a message this long in one piece; nothing was sent.";
  }
  return "Unknown MIDI result code " + std::to_string(static_cast<int>(code)) + ".";
}

MidiResult MidiOutcome(MidiCode code, const std::string& detail) {
  std::string text = MidiCodeSentence(code);
  if (!detail.empty()) text += " (" + detail + ")";
  return {code, std::move(text)};
}

}  // namespace patchlore
