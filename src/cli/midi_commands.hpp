// The MIDI ports window's commands without the window: ports (the device
// lists), send (messages of a SysEx file to an output) and receive (SysEx
// messages from an input into a .syx file). They print the window's texts,
// each after the name of the component that shows it.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/commands.hpp"

namespace patchlore::cli {

struct MidiCommandOptions {
  CLI::App* ports = nullptr;
  CLI::App* send = nullptr;
  CLI::App* receive = nullptr;
  std::string file;
  std::optional<std::int64_t> index;  // the message, from 0
  bool all = false;
  int delayMs = 0;
  std::optional<int> port;  // send: output, -1 by default; receive: input, 0 by default
  int timeoutS = 10;
  std::string output;

  bool chosen() const { return (ports && *ports) || (send && *send) || (receive && *receive); }
};

void AddMidiCommands(CLI::App& app, MidiCommandOptions& options);

// Runs the chosen one: 0 when done, 1 when an output or input does not open,
// a send fails or nothing is received, 2 for a file that cannot be read or
// written (an -o naming a folder, a device or a pipe is refused before
// anything is received) or a message or device number that does not exist.
int RunMidiCommand(const MidiCommandOptions& options, const Output& output);

}  // namespace patchlore::cli
