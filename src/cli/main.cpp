// patchlore-cli: the program's commands without windows, printing the
// program's own texts.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/commands.hpp"

int main(int argc, char** argv) {
  CLI::App app{"Patchlore: KRONOS and OASYS PCG, SNG and SysEx files, without windows"};
  app.require_subcommand(1);
  bool raw = false;
  app.add_flag("--raw", raw, "Write texts as the program's 8-bit bytes instead of UTF-8");
  app.fallthrough();

  std::vector<std::string> infoFiles;
  auto* info = app.add_subcommand(
      "info", "Run the Open command on each FILE in turn and print the main window's texts");
  info->add_option("FILE", infoFiles, "Files to open, in order")->required();

  std::string checkFile;
  auto* check = app.add_subcommand("check", "Print the \"Check PCG\" listing of FILE");
  check->add_option("FILE", checkFile, "File to list")->required();

  std::string listFile;
  auto* list = app.add_subcommand("list", "Open FILE and print the object catalogue of its row");
  list->add_option("FILE", listFile, "File to open")->required();

  CLI11_PARSE(app, argc, argv);
  const patchlore::cli::Output output{std::cout, std::cerr, raw};
  if (*info) return patchlore::cli::RunInfo(infoFiles, output);
  if (*check) return patchlore::cli::RunCheck(checkFile, output);
  if (*list) return patchlore::cli::RunList(listFile, output);
  return 0;
}
