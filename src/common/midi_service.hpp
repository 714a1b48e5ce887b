// The MIDI devices of the system, as the MIDI ports window and the
// command-line tool use them: device names, one open output that takes whole
// System Exclusive messages, and one open input whose bytes are collected
// until they are taken. The desktop program implements it on RtMidi; tests
// use a fake.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace patchlore {

// The result codes of every MIDI operation; each has its own sentence.
enum class MidiCode {
  Ok = 0,
  NoDevice = 1,     // the system lists no device of the kind asked for
  BadDevice = 2,    // no device has the number asked for
  NotOpen = 3,      // a send came before any output was opened
  SystemError = 4,  // the MIDI system reported an error or a warning
  TooLong = 5,      // the output cannot take the message in one piece
};

// The sentence for a code alone, success included.
std::string MidiCodeSentence(MidiCode code);

struct MidiResult {
  MidiCode code = MidiCode::Ok;
  std::string text;  // the code's sentence and what the MIDI system said
  bool ok() const { return code == MidiCode::Ok; }
};

// A result with the code's sentence, followed by detail in brackets when
// there is one.
MidiResult MidiOutcome(MidiCode code, const std::string& detail = {});

class MidiService {
 public:
  virtual ~MidiService() = default;

  // The devices as the system lists them now; a device's number is its
  // position in the list.
  virtual std::vector<std::string> inputNames() = 0;
  virtual std::vector<std::string> outputNames() = 0;
  // The name of output -1: the system's default output, the first one.
  virtual std::string defaultOutputName() = 0;
  // Why no MIDI system could be reached at all; empty when one could.
  virtual std::string unavailableReason() = 0;

  // Opens output device (-1 for the default one), closing any output opened
  // before.
  virtual MidiResult openOutput(int device) = 0;
  virtual void closeOutput() = 0;
  // Sends one whole System Exclusive message to the open output. The bytes
  // are only read during the call.
  virtual MidiResult sendSysex(std::span<const std::uint8_t> message) = 0;

  // Opens input device, closing any input opened before; from then on its
  // bytes are kept until takeInput.
  virtual MidiResult openInput(int device) = 0;
  virtual void closeInput() = 0;
  // The bytes received since the last call, in the order they came.
  virtual std::vector<std::uint8_t> takeInput() = 0;
};

}  // namespace patchlore
