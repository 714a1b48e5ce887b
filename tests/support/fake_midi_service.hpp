// A MIDI service that answers from a script and records what it was asked.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/midi_service.hpp"

namespace patchlore::test {

class FakeMidiService : public MidiService {
 public:
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  std::string reason;                   // unavailableReason()
  std::deque<MidiResult> openResults;   // for openOutput and openInput; Ok when none left
  std::deque<MidiResult> sendResults;   // Ok when none left
  std::deque<std::vector<std::uint8_t>> arriving;  // what each takeInput gives
  std::vector<int> openedOutputs;
  std::vector<int> openedInputs;
  std::vector<std::vector<std::uint8_t>> sent;
  int inputCloses = 0;

  std::vector<std::string> inputNames() override { return inputs; }
  std::vector<std::string> outputNames() override { return outputs; }
  std::string defaultOutputName() override {
    return "Default output (" + (outputs.empty() ? std::string("none") : outputs.front()) + ")";
  }
  std::string unavailableReason() override { return reason; }
  MidiResult openOutput(int device) override {
    openedOutputs.push_back(device);
    return next(openResults);
  }
  void closeOutput() override {}
  MidiResult sendSysex(std::span<const std::uint8_t> message) override {
    sent.emplace_back(message.begin(), message.end());
    return next(sendResults);
  }
  MidiResult openInput(int device) override {
    openedInputs.push_back(device);
    return next(openResults);
  }
  void closeInput() override { ++inputCloses; }
  std::vector<std::uint8_t> takeInput() override {
    if (arriving.empty()) return {};
    auto bytes = arriving.front();
    arriving.pop_front();
    return bytes;
  }

 private:
  static MidiResult next(std::deque<MidiResult>& results) {
    if (results.empty()) return MidiOutcome(MidiCode::Ok);
    MidiResult result = results.front();
    results.pop_front();
    return result;
  }
};

}  // namespace patchlore::test
