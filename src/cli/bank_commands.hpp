// The bank manager's commands without its window: copy-bank (Write) and
// move (Move). Banks and patches are chosen by their 0-based line in the
// window's lists; the changed To image is written to the output file only.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/commands.hpp"

namespace patchlore::cli {

struct BankCommandOptions {
  CLI::App* copyBank = nullptr;
  CLI::App* move = nullptr;
  std::string from;
  int fromBank = 0;
  int fromPatch = 0;
  std::string to;
  int toBank = 0;
  int toPatch = 0;
  int offset = 0;
  int length = 0;
  std::string output;

  bool chosen() const { return (copyBank && *copyBank) || (move && *move); }
};

// Adds copy-bank and move to the program's subcommands.
void AddBankCommands(CLI::App& app, BankCommandOptions& options);

// Runs the chosen one: 0 when done and written; 2 when a file is not loaded
// or OUT not written (or names a folder, a device or a pipe), when the
// window would refuse the command (the reason is printed) or a line number
// is out of range. A To bank whose stored checksum was already wrong is
// warned of on standard error.
int RunBankCommand(const BankCommandOptions& options, const Output& output);

}  // namespace patchlore::cli
