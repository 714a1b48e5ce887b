// patchlore-cli: the program's commands without windows, printing the
// program's own texts.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/bank_commands.hpp"
#include "cli/commands.hpp"
#include "cli/compare_command.hpp"
#include "cli/library_commands.hpp"
#include "cli/midi_commands.hpp"
#include "cli/patch_commands.hpp"
#include "cli/rename_command.hpp"

namespace {

CLI::App* AddShowCommand(CLI::App& app, patchlore::cli::ShowOptions& options) {
  auto* show = app.add_subcommand(
      "show", "Open FILE, view its catalogue rows ROW (all when none) and print each viewer's texts and table");
  show->add_option("FILE", options.file, "File whose objects to show")->required();
  show->add_option("ROW", options.rows, "Catalogue rows to view, from 0");
  show->add_option("--link", options.link, "PCG to open before FILE");
  show->add_flag("--sw1-off", options.sw1Off, "Untick SW1 (by Prog)");
  show->add_flag("--sw2-off", options.sw2Off, "Untick SW2 (bank name on every row)");
  show->add_flag("--sw3", options.sw3, "Tick SW3 (prefixes)");
  show->add_flag("--offsets", options.offsets, "Tick checkOffset (file offsets)");
  show->add_option("--tick", options.tick, "Tick a column check box by name (TStatus, PKeyZone, ...)");
  show->add_option("--untick", options.untick, "Untick a column check box by name");
  show->add_option("--select", options.select, "Select the program key KEY in the bank/program filter");
  show->add_flag("--ena-prog", options.enaProg, "Show only the selected keys (Ena)");
  show->add_option("--substr", options.substr, "One line of the program-name patterns");
  show->add_flag("--dis-name", options.disName, "Hide the names that match (Dis)");
  show->add_option("--chain", options.chain, "Chain text of the patterns (\"*\" by default)");
  show->add_flag("--by-prog", options.byProg, "Songs: untick SW1 and show again");
  show->add_option("--sep", options.separator, "Separator position 0-5 (; : , . blank tab)");
  show->add_option("-o", options.outputDir, "Write each table to this folder as \"Save As CVS\" names it");
  show->add_option("--format", options.format, "cvs (as Save As CVS), csv (RFC 4180, UTF-8) or json (an object per row)")
      ->check(CLI::IsMember({"cvs", "csv", "json"}));
  return show;
}

CLI::App* AddRenameCommand(CLI::App& app, patchlore::cli::RenameOptions& options) {
  auto* rename = app.add_subcommand("rename", "Rename patch PATCH of bank line BANK with the name editor and save to OUT");
  rename->add_option("FILE", options.file, "PCG to rename in")->required();
  rename->add_option("BANK", options.bankLine, "Line of the bank list (program banks, then combination banks), from 0")->required();
  rename->add_option("PATCH", options.patch, "Patch of that bank, from 0")->required();
  rename->add_option("NAME", options.name, "The new name (up to 24 characters)")->required();
  rename->add_option("-o", options.output, "File to write the changed image to")->required();
  return rename;
}

struct InfoOptions {
  std::vector<std::string> files;
  bool sysex = false;
  bool smf = false;
  patchlore::cli::LoadCommand command() const {
    using patchlore::cli::LoadCommand;
    return smf ? LoadCommand::ImportSysexFromMidiFile : sysex ? LoadCommand::OpenAsSysex : LoadCommand::Open;
  }
};

CLI::App* AddInfoCommand(CLI::App& app, InfoOptions& options) {
  auto* info = app.add_subcommand(
      "info", "Run the Open command on each FILE in turn and print the main window's texts");
  info->add_option("FILE", options.files, "Files to open, in order")->required();
  auto* sysexFlag = info->add_flag("--sysex", options.sysex, "Run the Open As SysEx command instead of Open");
  info->add_flag("--smf", options.smf, "Run the Import SysEx from MIDI File command instead of Open")
      ->excludes(sysexFlag);
  return info;
}

CLI::App* AddCompareCommand(CLI::App& app, patchlore::cli::CompareOptions& options) {
  auto* compare = app.add_subcommand("compare", "Compare FILE1 and FILE2 byte by byte and print the rows of the Compare window");
  compare->add_option("FILE1", options.first, "First file")->required();
  compare->add_option("FILE2", options.second, "Second file")->required();
  compare->add_flag("--summary", options.summary, "Print only the sizes, the counts and the first and last differing offsets");
  return compare;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Patchlore: KRONOS and OASYS PCG, SNG and SysEx files, without windows"};
  app.require_subcommand(1);
  bool raw = false;
  app.add_flag("--raw", raw, "Write texts as the program's 8-bit bytes instead of UTF-8");
  app.fallthrough();

  InfoOptions infoOptions;
  auto* info = AddInfoCommand(app, infoOptions);

  std::string checkFile;
  auto* check = app.add_subcommand("check", "Print the \"Check PCG\" listing of FILE");
  check->add_option("FILE", checkFile, "File to list")->required();

  std::string verifyFile;
  auto* verify = app.add_subcommand(
      "verify", "Check the checksum of every bank of FILE and of its GLB1 chunk against its bytes and INI2");
  verify->add_option("FILE", verifyFile, "PCG file to check")->required();

  std::string listFile;
  auto* list = app.add_subcommand("list", "Open FILE and print the object catalogue of its row");
  list->add_option("FILE", listFile, "File to open")->required();
  bool listSysex = false;
  list->add_flag("--sysex", listSysex, "Load FILE with Open As SysEx: one row per message");

  patchlore::cli::ShowOptions showOptions;
  auto* show = AddShowCommand(app, showOptions);
  patchlore::cli::BankCommandOptions bankOptions;
  patchlore::cli::AddBankCommands(app, bankOptions);
  patchlore::cli::RenameOptions renameOptions;
  auto* rename = AddRenameCommand(app, renameOptions);
  patchlore::cli::MidiCommandOptions midiOptions;
  patchlore::cli::AddMidiCommands(app, midiOptions);

  patchlore::cli::CompareOptions compareOptions;
  auto* compare = AddCompareCommand(app, compareOptions);

  patchlore::cli::PatchCommandOptions patchOptions;
  patchlore::cli::AddPatchCommands(app, patchOptions);
  patchlore::cli::LibraryOptions libraryOptions;
  patchlore::cli::AddLibraryCommands(app, libraryOptions);

  CLI11_PARSE(app, argc, argv);
  const patchlore::cli::Output output{std::cout, std::cerr, raw};
  if (*info) return patchlore::cli::RunInfo(infoOptions.files, infoOptions.command(), output);
  if (*check) return patchlore::cli::RunCheck(checkFile, output);
  if (*verify) return patchlore::cli::RunVerify(verifyFile, output);
  if (*list) return patchlore::cli::RunList(listFile, listSysex, output);
  if (*show) return patchlore::cli::RunShow(showOptions, output);
  if (bankOptions.chosen()) return patchlore::cli::RunBankCommand(bankOptions, output);
  if (*compare) return patchlore::cli::RunCompare(compareOptions, output);
  if (*rename) return patchlore::cli::RunRename(renameOptions, output);
  if (midiOptions.chosen()) return patchlore::cli::RunMidiCommand(midiOptions, output);
  if (patchOptions.chosen()) return patchlore::cli::RunPatchCommand(patchOptions, output);
  if (libraryOptions.chosen()) return patchlore::cli::RunLibraryCommand(libraryOptions, output);
  return 0;
}
