// patchlore-cli usage and diff: what uses a program, and what changed
// between two files, patch by patch.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "cli/commands.hpp"

namespace patchlore::cli {

struct PatchCommandOptions {
  CLI::App* usage = nullptr;
  CLI::App* diff = nullptr;
  std::string pcg;                 // usage: the PCG whose combinations and set lists are searched
  std::string key;                 // usage: the program key, e.g. U-A012
  std::optional<std::string> sng;  // usage: an SNG whose songs are searched too
  std::string first;               // diff: A
  std::string second;              // diff: B

  bool chosen() const { return (usage && *usage) || (diff && *diff); }
};

// Adds usage and diff to the program's subcommands.
void AddPatchCommands(CLI::App& app, PatchCommandOptions& options);

// usage prints one line per use ("Combi: ", "SetList: ", "Song: ") and exits
// with 0 when something uses the program, 1 when nothing does. diff prints
// one "Patch: " line per slot that is not identical and the "Summary: "
// line, and exits with 0 when nothing differs, 1 otherwise. Both exit with 2
// when a file is not loaded or not of the kind the command reads.
int RunPatchCommand(const PatchCommandOptions& options, const Output& output);

}  // namespace patchlore::cli
