// patchlore-cli library: the library of many files, from the command line.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.hpp"

namespace patchlore::cli {

struct LibraryOptions {
  CLI::App* library = nullptr;
  CLI::App* add = nullptr;
  CLI::App* remove = nullptr;
  CLI::App* prune = nullptr;
  CLI::App* rebuild = nullptr;
  CLI::App* find = nullptr;
  CLI::App* dupes = nullptr;
  CLI::App* stats = nullptr;
  CLI::App* usage = nullptr;
  std::string db;                  // empty: the default library
  std::vector<std::string> paths;  // add, remove
  std::string text;                // find; the program key of usage
  std::string kind;                // P C D W T S; empty for all
  std::string fileGlob;            // find
  bool byName = false;             // dupes
  bool json = false;
  bool chosen() const { return library && *library; }
};

void AddLibraryCommands(CLI::App& app, LibraryOptions& options);

// add and prune print a line per file; find and dupes one "Patch: PATH<TAB>
// KIND<TAB>KEY<TAB>NAME" line per patch (dupes a "Group: N" line before each
// group) and exit 1 when nothing is found; usage one "Combi: PATH<TAB>KEY<TAB>
// PART<TAB>NAME" line (or SetList:, Song:) per use; stats prints the counts. --json
// prints the same as one JSON value. add exits 2 when a file or folder was
// not read or a file not stored, 1 when a file was refused. Every command
// but add and rebuild refuses a library that does not exist, creating
// nothing; 2 when the library cannot be opened.
int RunLibraryCommand(const LibraryOptions& options, const Output& output);

}  // namespace patchlore::cli
