#include "sysex/midi_ports.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "support/loaded_image.hpp"
#include "support/fake_midi_service.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using Lines = std::vector<std::string>;

class MidiPorts : public ::testing::Test {
 protected:
  test::FakeMidiService midi;
  MidiPortsCore core{midi};
  const MidiPortsState& state() const { return core.state(); }
};

TEST_F(MidiPorts, ListsDevicesFromTheDefaultOutput) {
  midi.inputs = {"JACK: keys:out"};
  midi.outputs = {"JACK: m1:in", "JACK: synth:in"};
  core.readDevices();
  EXPECT_EQ(state().info, "In: 1; Out: 2");
  EXPECT_EQ(state().inputLines, Lines{"0 : JACK: keys:out"});
  EXPECT_EQ(state().outputLines,
            (Lines{"-1 : Default output (JACK: m1:in)", "0 : JACK: m1:in", "1 : JACK: synth:in"}));
}

TEST_F(MidiPorts, WithoutDevicesListsTheDefaultOutputAndSaysWhy) {
  midi.reason = "No MIDI system can be reached (JACK: JACK server not running?)";
  midi.openResults.push_back(MidiOutcome(MidiCode::NoDevice, midi.reason));
  core.readDevices();
  EXPECT_EQ(state().info, "In: 0; Out: 0; No MIDI system can be reached (JACK: JACK server not running?)");
  EXPECT_TRUE(state().inputLines.empty());
  EXPECT_EQ(state().outputLines, Lines{"-1 : Default output (none)"});
  core.openOutputLine(0);
  EXPECT_EQ(midi.openedOutputs, std::vector<int>{-1});
  EXPECT_EQ(state().infoOut, "Selected -1 : Default output (none); MidiOutPort=-1");
  EXPECT_EQ(state().info,
            "Open MidiOutPort -1 : Default output (none) = 1; There is no MIDI device of this kind. "
            "(No MIDI system can be reached (JACK: JACK server not running?))");
}

TEST_F(MidiPorts, ClickOpensTheOutputOfTheLineAndAClickBesideTheLinesNothing) {
  midi.outputs = {"JACK: m1:in", "JACK: synth:in"};
  midi.openResults = {MidiOutcome(MidiCode::Ok), MidiOutcome(MidiCode::SystemError, "JACK error creating port")};
  core.readDevices();
  core.openOutputLine(2);
  EXPECT_EQ(state().infoOut, "Selected 1 : JACK: synth:in; MidiOutPort=1");
  EXPECT_EQ(state().info, "Open MidiOutPort 1 : JACK: synth:in = 0; The operation completed successfully.");
  core.openOutputLine(0);
  EXPECT_EQ(state().info,
            "Open MidiOutPort -1 : Default output (JACK: m1:in) = 4; The MIDI system reported a problem; "
            "the operation did not complete. (JACK error creating port)");
  core.openOutputLine(-1);
  EXPECT_EQ(midi.openedOutputs, (std::vector<int>{1, -1}));
  EXPECT_EQ(state().infoOut, "Selected -1 : Default output (JACK: m1:in); MidiOutPort=-1");
}

TEST_F(MidiPorts, AnOutputThatMovedIsNotOpenedAndTheListsAreReadAgain) {
  midi.outputs = {"JACK: m1:in", "JACK: synth:in"};
  core.readDevices();
  midi.outputs.erase(midi.outputs.begin());  // unplugged: the synth is output 0 now
  core.openOutputLine(1);
  EXPECT_TRUE(midi.openedOutputs.empty());
  EXPECT_EQ(state().info,
            "The MIDI devices have changed: output 0 is no longer JACK: m1:in; the lists were read again. "
            "In: 0; Out: 1");
  EXPECT_EQ(state().outputLines, (Lines{"-1 : Default output (JACK: synth:in)", "0 : JACK: synth:in"}));
}

TEST(SysexSourceIndex, TakesTheSelectedSysexFileElseTheLastLoaded) {
  Registry registry;
  const auto add = [&](const std::string& type) { registry.add(ByteBuffer(2), "F", test::FactsOfType(type)); };
  EXPECT_EQ(SysexSourceIndex(registry, {}), -1);
  add("SysEx  ; Count:1");
  add("PCG KORG KRONOS");
  add("SysEx  ; Count:2");
  EXPECT_EQ(SysexSourceIndex(registry, {}), 2);
  EXPECT_EQ(SysexSourceIndex(registry, {1}), 2);
  EXPECT_EQ(SysexSourceIndex(registry, {2, 0}), 0);
}

TEST_F(MidiPorts, ListsTheSourceMessagesAndSelectsOnlyBytesInsideTheImage) {
  Bytes image = {0x00, 0x7F};
  const Bytes dump = test::M1Dump(0x4C, {0x00}, 16350);
  image.insert(image.end(), dump.begin(), dump.end());
  const Bytes write = test::M1Message(0x21);
  image.insert(image.end(), write.begin(), write.end());
  core.chooseMessage(0);  // no source yet
  EXPECT_EQ(state().sendLabel, "sysexSend: length=0; ItemIndex=0");
  core.setSource(image);
  ASSERT_EQ(core.sysexLineCount(), 2);
  EXPECT_EQ(core.sysexLine(0),
            "offsetF0=2 offsetF7=16351 length=16350 KorgM1 All Program Parameter dump Offset=6  MemoBank=00 (100) ");
  EXPECT_EQ(core.sysexLine(1), "offsetF0=16352 offsetF7=16357 length=6 KorgM1 Write completed");
  core.chooseMessage(1);
  EXPECT_EQ(state().sendLabel, "sysexSend: length=6; ItemIndex=1");
  EXPECT_EQ(Bytes(core.selectedMessage().begin(), core.selectedMessage().end()), write);
  core.selectBytes(0, 2, 5);
  EXPECT_EQ(state().sendLabel, "sysexSend: length=2; ItemIndex=5");
  constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
  for (const auto& [offset, length] : std::vector<std::pair<std::int64_t, std::int64_t>>{
           {16352, 7}, {16352, -1}, {-1, 6}, {16358, 1}, {16352, 0}, {kLargest, kLargest}}) {
    core.selectBytes(offset, length, 3);
    EXPECT_EQ(state().sendLabel, "sysexSend: length=0; ItemIndex=3") << offset << " " << length;
  }
  core.chooseMessage(-1);
  EXPECT_EQ(state().sendLabel, "sysexSend: length=0; ItemIndex=-1");
  core.chooseMessage(2);  // past the last line
  EXPECT_EQ(state().sendLabel, "sysexSend: length=0; ItemIndex=2");
}

TEST_F(MidiPorts, SendsOnlyAWholeSysexMessage) {
  const Bytes image = {0x42, 0xF0, 0x42, 0x30, 0xFF, 0xF7, 0xF0, 0x42, 0xF7};
  core.setSource(image);
  core.sendSelected();
  EXPECT_EQ(state().sendLabel, "Not sent: no message is selected.");
  core.selectBytes(0, 6, 0);
  core.sendSelected();
  EXPECT_EQ(state().sendLabel, "Not sent: the selection does not start with F0 and end with F7.");
  core.selectBytes(1, 5, 0);
  core.sendSelected();
  EXPECT_EQ(state().sendLabel, "Not sent: byte 3 of the selection is FF; inside a SysEx message every byte is below 80.");
  EXPECT_TRUE(midi.sent.empty());
  core.chooseMessage(1);  // F0 42 F7
  midi.sendResults = {MidiOutcome(MidiCode::Ok), MidiOutcome(MidiCode::NotOpen)};
  core.sendSelected();
  EXPECT_EQ(state().sendLabel, "The operation completed successfully.");
  core.sendSelected();
  EXPECT_EQ(state().sendLabel, "No MIDI output is open.");
  EXPECT_EQ(midi.sent, (std::vector<std::vector<std::uint8_t>>(2, {0xF0, 0x42, 0xF7})));
}

TEST(SysexCollector, KeepsOnlyWholeSysexMessagesOfTheStream) {
  SysexCollector collector;
  // Running status, a message split across pieces with clock and active
  // sensing inside, one cut short by a note-on, a stray F7.
  collector.feed(Bytes{0x90, 0x3C, 0x40, 0x3E, 0x40, 0xF0, 0x42, 0xF8});
  collector.feed(Bytes{0x30, 0xFE, 0x19});
  EXPECT_EQ(collector.count(), 0);
  EXPECT_EQ(collector.bytes(), 4);
  collector.feed(Bytes{0x21, 0xF7, 0xF7, 0xF0, 0x01, 0x90, 0x02, 0xF0, 0xF0, 0x03, 0xF7, 0xF0});
  EXPECT_EQ(collector.count(), 2);
  EXPECT_EQ(collector.messages(), (Bytes{0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7, 0xF0, 0x03, 0xF7}));
  EXPECT_EQ(collector.bytes(), 10);
}

TEST_F(MidiPorts, ReceivesUntilNothingNewThenSaves) {
  midi.inputs = {"JACK: m1:out"};
  core.readDevices();
  midi.arriving = {{0xF0, 0x42}, {}, {0x30, 0x19, 0x21, 0xF7, 0xF8}};
  core.startReceive(0, 1000, 2000);
  EXPECT_EQ(state().info, "Open MidiInPort 0 : JACK: m1:out = 0; The operation completed successfully.");
  EXPECT_TRUE(core.pollReceive(1100));
  EXPECT_EQ(state().receiveLabel, "Receiving... Messages: 0; Bytes: 2");
  EXPECT_TRUE(core.pollReceive(3000));  // quiet for 1.9 s only
  EXPECT_TRUE(core.pollReceive(3050));
  EXPECT_EQ(state().receiveLabel, "Receiving... Messages: 1; Bytes: 6");
  EXPECT_FALSE(core.pollReceive(5050));
  EXPECT_EQ(state().receiveLabel, "Received. Messages: 1; Bytes: 6; nothing new for 2 s");
  EXPECT_EQ(midi.inputCloses, 1);
  test::TempDir dir;
  const std::string path = (dir.path() / "M1.syx").string();
  EXPECT_TRUE(core.saveReceived(path).ok());
  EXPECT_EQ(state().receiveLabel, "Saved <" + path + ">");
  EXPECT_EQ(test::TempDir::read(path), std::string("\xF0\x42\x30\x19\x21\xF7"));
}

TEST_F(MidiPorts, ReceiveStopsWhenTheUserStops) {
  midi.inputs = {"JACK: m1:out"};
  core.readDevices();
  core.startReceive(-1, 0, 2000);  // no line selected
  EXPECT_TRUE(midi.openedInputs.empty());
  midi.arriving = {{0xF0, 0x21, 0xF7}};
  core.startReceive(0, 0, 2000);
  core.stopReceive();
  EXPECT_FALSE(state().receiving);
  EXPECT_EQ(state().receiveLabel, "Received. Messages: 1; Bytes: 3");
  EXPECT_EQ(core.receivedCount(), 1);
}

}  // namespace
}  // namespace patchlore
