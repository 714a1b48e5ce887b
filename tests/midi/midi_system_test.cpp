// The MIDI ports core on the real MIDI service: through a JACK server of
// its own (dummy audio backend, so no sound hardware is needed) a message
// and a full-length dump of a loaded SysEx file arrive byte for byte, and a
// dump sent to the program is received whole; with no MIDI system at all
// the device lists are empty and every text says why.
#include <RtMidi.h>
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "support/cli_runner.hpp"
#include "support/fakes.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"
#include "sysex/midi_ports.hpp"
#include "sysex/rtmidi_service.hpp"

extern char** environ;

namespace patchlore {
namespace {

using test::Bytes;
using Clock = std::chrono::steady_clock;

void Quiet(const char*) {}

// Waits up to five seconds for done to hold.
bool WaitFor(const std::function<bool()>& done) {
  const auto until = Clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Every server gets a name of its own, so tests running side by side (and
// a JACK server the user runs) never meet.
std::string ServerName(const char* purpose) { return std::string("patchlore-") + purpose + "-" + std::to_string(getpid()); }

class JackServer {
 public:
  // False when jackd is not installed.
  bool start() {
    const std::string name = ServerName("test");
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"jackd", "-n", name.c_str(), "-r", "-d", "dummy", "-r", "48000", "-p", "256", nullptr};
    const int failed = posix_spawnp(&pid_, "jackd", &files, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&files);
    if (failed) pid_ = 0;
    return !failed;
  }
  bool ready() const {
    return WaitFor([] {
      jack_client_t* probe = jack_client_open("patchlore-probe", JackNoStartServer, nullptr);
      if (probe) jack_client_close(probe);
      return probe != nullptr;
    });
  }
  ~JackServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    if (!WaitFor([this] { return waitpid(pid_, nullptr, WNOHANG) == pid_; })) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

 private:
  pid_t pid_ = 0;
};

// What a MIDI input of the test received, from the MIDI system's thread.
struct Received {
  std::mutex mutex;
  Bytes bytes;
  static void Add(double, std::vector<unsigned char>* message, void* self) {
    auto* received = static_cast<Received*>(self);
    const std::lock_guard lock(received->mutex);
    received->bytes.insert(received->bytes.end(), message->begin(), message->end());
  }
  std::size_t size() {
    const std::lock_guard lock(mutex);
    return bytes.size();
  }
  Bytes take() {
    const std::lock_guard lock(mutex);
    return std::exchange(bytes, {});
  }
};

int LineNamed(const std::vector<std::string>& lines, const std::string& suffix) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].ends_with(suffix)) return static_cast<int>(i);
  return -1;
}

class ThroughJack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.start()) GTEST_SKIP() << "jackd is not installed (scripts/setup test installs jackd2)";
    ASSERT_TRUE(server.ready()) << "the JACK server did not start";
  }
  JackServer server;
};

TEST_F(ThroughJack, SendsAMessageAndAFullDumpOfALoadedFileByteForByte) {
  Received received;
  RtMidiIn instrument(RtMidi::UNIX_JACK, "m1");
  instrument.ignoreTypes(false, true, true);
  instrument.setCallback(&Received::Add, &received);
  instrument.openVirtualPort("in");

  const Bytes message = test::M1Message(0x21);
  const Bytes dump = test::M1Dump(0x4C, {0x00}, 16350);
  Bytes file = message;
  file.insert(file.end(), dump.begin(), dump.end());
  const Bytes tooLong = test::M1Dump(0x4C, {0x00}, 16380);
  file.insert(file.end(), tooLong.begin(), tooLong.end());
  test::TempDir dir;
  test::MainWindowFixture main;
  main.dialogs.openAnswers.push_back(dir.write("M1.SYX", file));
  ASSERT_TRUE(main.window.openAsSysex().ok());

  RtMidiService service;
  MidiPortsCore core(service);
  core.setSource(main.window.registry().image(0));
  core.readDevices();
  const int line = LineNamed(core.state().outputLines, " : JACK: m1:in");
  ASSERT_GE(line, 1) << core.state().info;
  EXPECT_TRUE(core.openOutputLine(line));
  EXPECT_EQ(core.state().info, "Open MidiOutPort " + std::to_string(line - 1) +
                                   " : JACK: m1:in = 0; The operation completed successfully.");
  for (const auto& [index, expected] : {std::pair{0, message}, std::pair{1, dump}}) {
    core.chooseMessage(index);
    EXPECT_TRUE(core.sendSelected());
    EXPECT_EQ(core.state().sendLabel, "The operation completed successfully.");
    EXPECT_TRUE(WaitFor([&] { return received.size() >= expected.size(); })) << received.size();
    EXPECT_EQ(received.take(), expected) << "message " << index;
  }
  core.chooseMessage(2);
  EXPECT_FALSE(core.sendSelected());
  EXPECT_EQ(core.state().sendLabel,
            "The MIDI output cannot take a message this long in one piece; nothing was sent. "
            "(JACK takes at most 16379 bytes)");
}

TEST_F(ThroughJack, TheCommandLineSendsEveryMessageOfAFileBeforeItEnds) {
  Received received;
  RtMidiIn instrument(RtMidi::UNIX_JACK, "m1");
  instrument.ignoreTypes(false, true, true);
  instrument.setCallback(&Received::Add, &received);
  instrument.openVirtualPort("in");
  Bytes file = test::M1Message(0x21);
  const Bytes dump = test::M1Dump(0x4C, {0x00}, 16350);
  file.insert(file.end(), dump.begin(), dump.end());
  test::TempDir dir;
  const std::string path = dir.write("M1.SYX", file);
  RtMidiService service;
  MidiPortsCore core(service);
  core.readDevices();
  const int line = LineNamed(core.state().outputLines, " : JACK: m1:in");
  ASSERT_GE(line, 1) << core.state().info;
  const test::CliRun run = test::RunCommand(std::string(PATCHLORE_CLI) + " send '" + path +
                                            "' --all --delay 10 --port " + std::to_string(line - 1));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(WaitFor([&] { return received.size() >= file.size(); })) << received.size();
  EXPECT_EQ(received.take(), file);
}

TEST_F(ThroughJack, ReceivesADumpFromAnInput) {
  RtMidiOut instrument(RtMidi::UNIX_JACK, "m1");
  instrument.openVirtualPort("out");
  RtMidiService service;
  MidiPortsCore core(service);
  core.readDevices();
  const int line = LineNamed(core.state().inputLines, " : JACK: m1:out");
  ASSERT_GE(line, 0) << core.state().info;
  const auto now = [] { return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count(); };
  core.startReceive(line, now(), 5000);
  ASSERT_TRUE(core.state().receiving) << core.state().info;
  const Bytes dump = test::M1Dump(0x4C, {0x00}, 16350);
  instrument.sendMessage(dump.data(), dump.size());
  EXPECT_TRUE(WaitFor([&] { return core.pollReceive(now()) && core.receivedCount() == 1; }));
  core.stopReceive();
  EXPECT_EQ(core.received(), dump);
  EXPECT_EQ(core.state().receiveLabel, "Received. Messages: 1; Bytes: 16350");
}

TEST(WithoutMidiSystem, ListsNoDeviceAndEveryTextSaysWhy) {
  if (std::filesystem::exists("/dev/snd/seq")) GTEST_SKIP() << "this machine has an ALSA sequencer";
  setenv("JACK_DEFAULT_SERVER", ServerName("none").c_str(), 1);
  const std::string why =
      "No MIDI system can be reached (ALSA: error creating ALSA sequencer client object; JACK: JACK server not running?)";
  RtMidiService service;
  MidiPortsCore core(service);
  core.readDevices();
  EXPECT_EQ(core.state().info, "In: 0; Out: 0; " + why);
  EXPECT_TRUE(core.state().inputLines.empty());
  EXPECT_EQ(core.state().outputLines, std::vector<std::string>{"-1 : Default output (none)"});
  EXPECT_FALSE(core.openOutputLine(0));
  EXPECT_EQ(core.state().info,
            "Open MidiOutPort -1 : Default output (none) = 1; There is no MIDI device of this kind. (" + why + ")");
  const Bytes message = test::M1Message(0x21);
  core.setSource(message);
  core.chooseMessage(0);
  EXPECT_FALSE(core.sendSelected());
  EXPECT_EQ(core.state().sendLabel, "No MIDI output is open.");
}

}  // namespace
}  // namespace patchlore
