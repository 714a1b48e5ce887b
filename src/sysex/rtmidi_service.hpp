// MidiService on RtMidi: the devices of every MIDI system RtMidi was built
// with (on Linux the ALSA sequencer and JACK), one list across all of them.
// When more than one system is built in, each name starts with the system's
// label («ALSA: ...», «JACK: ...»). A system that cannot be reached (no
// sequencer device, no JACK server running) lists no device, and when none
// can be reached unavailableReason() says why; nothing throws.
#pragma once

#include <memory>

#include "common/midi_service.hpp"

namespace patchlore {

class RtMidiService : public MidiService {
 public:
  RtMidiService();
  ~RtMidiService() override;

  std::vector<std::string> inputNames() override;
  std::vector<std::string> outputNames() override;
  std::string defaultOutputName() override;
  std::string unavailableReason() override;
  MidiResult openOutput(int device) override;
  void closeOutput() override;
  MidiResult sendSysex(std::span<const std::uint8_t> message) override;
  MidiResult openInput(int device) override;
  void closeInput() override;
  std::vector<std::uint8_t> takeInput() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace patchlore
