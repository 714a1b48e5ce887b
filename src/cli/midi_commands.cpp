#include "cli/midi_commands.hpp"

#include <chrono>
#include <csignal>
#include <limits>
#include <thread>

#include "cli/command_line.hpp"
#include "common/file_io.hpp"
#include "sysex/midi_ports.hpp"
#include "sysex/rtmidi_service.hpp"

namespace patchlore::cli {

namespace {

constexpr auto kReceivePoll = std::chrono::milliseconds(20);

volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) { interrupted = 1; }

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int RunPorts(MidiPortsCore& core, const Output& output) {
  for (const std::string& line : core.state().inputLines) output.line("ListMidi_In: " + line);
  for (const std::string& line : core.state().outputLines) output.line("ListMidi_Out: " + line);
  output.line("Info: " + core.state().info);
  return 0;
}

int RunSend(MidiPortsCore& core, const MidiCommandOptions& options, const Output& output) {
  const ReadResult read = ReadWholeFile(options.file);
  if (!read) {
    output.err << "patchlore-cli: " << read.failure().text << '\n';
    return 2;
  }
  core.setSource(read->bytes());
  const std::int64_t count = core.sysexLineCount();
  const std::int64_t first = options.all ? 0 : options.index.value_or(-1);
  if (first < 0 || first >= count) {
    output.err << "patchlore-cli: " << options.file << " holds " << count << " SysEx messages; give INDEX from 0 to "
               << count - 1 << " or --all\n";
    return 2;
  }
  const int port = options.port.value_or(-1);
  if (port < -1 || port + 1 >= std::ssize(core.state().outputLines)) {
    output.err << "patchlore-cli: there is no output " << port << "\n";
    return 2;
  }
  const bool opened = core.openOutputLine(port + 1);
  output.line("Info_Out: " + core.state().infoOut);
  output.line("Info: " + core.state().info);
  if (!opened) return 1;
  for (std::int64_t k = first; k < (options.all ? count : first + 1); ++k) {
    if (k > first) std::this_thread::sleep_for(std::chrono::milliseconds(options.delayMs));
    core.chooseMessage(k);
    output.line("SendLabel: " + core.state().sendLabel);
    const bool sent = core.sendSelected();
    output.line("SendLabel: " + core.state().sendLabel);
    if (!sent) return 1;
  }
  return 0;
}

int RunReceive(MidiPortsCore& core, const MidiCommandOptions& options, const Output& output) {
  if (RefuseOutputTarget(options.output, output)) return kRefused;
  const int port = options.port.value_or(0);
  if (port < 0 || port >= std::ssize(core.state().inputLines)) {
    output.err << "patchlore-cli: there is no input " << port << "\n";
    return 2;
  }
  core.startReceive(port, NowMs(), std::chrono::milliseconds(std::chrono::seconds(options.timeoutS)).count());
  output.line("Info: " + core.state().info);
  if (!core.state().receiving) return 1;
  std::signal(SIGINT, OnInterrupt);  // Ctrl+C stops receiving; what came is kept
  std::string shown;
  while (core.state().receiving) {
    std::this_thread::sleep_for(kReceivePoll);
    if (interrupted) core.stopReceive();
    else core.pollReceive(NowMs());
    if (core.state().receiveLabel != shown) output.line("ReceiveLabel: " + (shown = core.state().receiveLabel));
  }
  std::signal(SIGINT, SIG_DFL);
  if (core.receivedCount() == 0) return 1;
  const Status saved = core.saveReceived(options.output);
  output.line("ReceiveLabel: " + core.state().receiveLabel);
  return saved ? kDone : kRefused;
}

}  // namespace

void AddMidiCommands(CLI::App& app, MidiCommandOptions& options) {
  options.ports = app.add_subcommand("ports", "Print the MIDI ports window's device lists and its Info text");
  options.send = app.add_subcommand("send", "Send SysEx message INDEX of FILE (or --all) to a MIDI output");
  options.send->add_option("FILE", options.file, "File holding SysEx messages")->required();
  auto* index = options.send->add_option("INDEX", options.index, "The message, from 0, as ListSysex lists it");
  auto* all = options.send->add_flag("--all", options.all, "Send every message in turn");
  index->excludes(all);
  options.send->add_option("--delay", options.delayMs, "Pause between messages with --all, in ms")
      ->check(WholeNumber(0, std::numeric_limits<int>::max(), "a pause of 0 ms or more"));
  options.send->add_option("--port", options.port, "Output device, as ListMidi_Out numbers it (-1: the default)");
  options.receive = app.add_subcommand("receive", "Collect SysEx messages from a MIDI input into a .syx file");
  options.receive->add_option("--port", options.port, "Input device, as ListMidi_In numbers it (0 by default)");
  options.receive->add_option("--timeout", options.timeoutS, "Stop after this many seconds with nothing new")
      ->check(WholeNumber(1, std::numeric_limits<int>::max(), "1 second or more to wait for what comes"));
  options.receive->add_option("-o", options.output, "The .syx file to write")->required();
}

int RunMidiCommand(const MidiCommandOptions& options, const Output& output) {
  RtMidiService service;
  MidiPortsCore core(service);
  core.readDevices();
  if (*options.ports) return RunPorts(core, output);
  if (*options.send) return RunSend(core, options, output);
  return RunReceive(core, options, output);
}

}  // namespace patchlore::cli
