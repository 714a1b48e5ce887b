// patchlore-cli: the program's commands without windows, printing the
// program's own texts.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/bank_commands.hpp"
#include "cli/command_line.hpp"
#include "cli/commands.hpp"
#include "cli/compare_command.hpp"
#include "cli/library_commands.hpp"
#include "cli/midi_commands.hpp"
#include "cli/patch_commands.hpp"
#include "cli/rename_command.hpp"

namespace {

using patchlore::cli::kExitStatuses;
using patchlore::cli::WholeNumber;

CLI::App* AddShowCommand(CLI::App& app, patchlore::cli::ShowOptions& options) {
  auto* show = app.add_subcommand(
      "show", "Open FILE, view its catalogue rows ROW (all when none) and print each viewer's texts and table");
  show->add_option("FILE", options.file, "File whose objects to show")->required();
  show->add_option("ROW", options.rows, "Catalogue rows to view, from 0");
  show->add_option("--link", options.link, "PCG to open before FILE");
  show->add_flag("--sw1-off", options.sw1Off,
                 "Untick SW1 (by Prog); alone it lists nothing for songs, as the window before a listing by song");
  show->add_flag("--sw2-off", options.sw2Off, "Untick SW2 (bank name on every row)");
  show->add_flag("--sw3", options.sw3, "Tick SW3 (prefixes)");
  show->add_flag("--offsets", options.offsets, "Tick checkOffset (file offsets)");
  show->add_option("--tick", options.tick, "Tick a column check box by name or caption (see below)");
  show->add_option("--untick", options.untick, "Untick a column check box by name or caption");
  show->add_option("--select", options.select, "Select the program key KEY in the bank/program filter");
  show->add_flag("--ena-prog", options.enaProg, "Show only the selected keys (Ena)");
  show->add_option("--substr", options.substr, "One line of the program-name patterns");
  show->add_flag("--dis-name", options.disName, "Hide the names that match (Dis)");
  show->add_option("--chain", options.chain, "Chain text of the patterns (\"*\" by default)");
  show->add_flag("--by-prog", options.byProg,
                 "Songs: list by program (the programs the songs play, the songs that play each): "
                 "show, untick SW1 and show again");
  show->add_option("--sep", options.separator, "Separator position 0-5 (; : , . blank tab)")
      ->check(WholeNumber(0, 5, "a separator position from 0 to 5 (; : , . blank tab)"));
  show->add_option("-o", options.outputDir, "Write each table to this folder as \"Save As CVS\" names it");
  show->add_option("--format", options.format,
                   "cvs (as Save As CVS), csv (RFC 4180, UTF-8), json (an object per row) or html (a printable "
                   "page per viewer, with -o only)")
      ->check(CLI::IsMember({"cvs", "csv", "json", "html"}));
  show->footer("Column check boxes (--tick and --untick take the name or the caption):\n  " +
               patchlore::cli::ColumnBoxList() + "\n\n" + kExitStatuses);
  return show;
}

CLI::App* AddRenameCommand(CLI::App& app, patchlore::cli::RenameOptions& options) {
  auto* rename = app.add_subcommand("rename", "Rename patch PATCH of bank line BANK with the name editor and save to OUT");
  rename->add_option("FILE", options.file, "PCG to rename in")->required();
  rename->add_option("BANK", options.bankLine, "Line of the bank list (program banks, then combination banks), from 0")->required();
  rename->add_option("PATCH", options.patch, "Patch of that bank, from 0")->required();
  rename->add_option("NAME", options.name,
                     "The new name: up to 24 characters Windows-1251 holds, no control characters")
      ->required();
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
      "info",
      "Load each FILE in turn as the desktop program loads a file given to it (Open, or Open As SysEx when it "
      "is not a PCG or SNG but holds SysEx) and print the main window's texts");
  info->add_option("FILE", options.files, "Files to load, in order")->required();
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

// The commands that take one file and print what they find in it.
struct FileCommands {
  CLI::App* check = nullptr;
  CLI::App* verify = nullptr;
  CLI::App* list = nullptr;
  std::string checkFile;
  std::string verifyFile;
  std::string listFile;
  bool listSysex = false;

  void add(CLI::App& app) {
    check = app.add_subcommand("check", "Print the \"Check PCG\" listing of FILE");
    check->add_option("FILE", checkFile, "File to list")->required();
    verify = app.add_subcommand(
        "verify", "Check the checksum of every bank of FILE and of its GLB1 chunk against its bytes and INI2");
    verify->add_option("FILE", verifyFile, "PCG file to check")->required();
    list = app.add_subcommand("list", "Open FILE and print the object catalogue of its row");
    list->add_option("FILE", listFile, "File to open")->required();
    list->add_flag("--sysex", listSysex, "Load FILE with Open As SysEx: one row per message");
  }
};

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Patchlore: KRONOS and OASYS PCG, SNG and SysEx files, without windows"};
  app.require_subcommand(1);
  app.footer(kExitStatuses);  // every command made below inherits it
  app.set_version_flag("--version", std::string("patchlore-cli ") + PATCHLORE_VERSION, "Print the version and exit");
  bool raw = false;
  app.add_flag("--raw", raw, "Write texts as the program's 8-bit bytes instead of UTF-8");
  app.fallthrough();

  InfoOptions infoOptions;
  auto* info = AddInfoCommand(app, infoOptions);
  FileCommands file;
  file.add(app);
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

  using patchlore::cli::CheckedExit;
  if (const auto ended = patchlore::cli::ParseArguments(app, argc, argv)) return CheckedExit(*ended);
  const patchlore::cli::Output output{std::cout, std::cerr, raw};
  if (*info) return CheckedExit(patchlore::cli::RunInfo(infoOptions.files, infoOptions.command(), output));
  if (*file.check) return CheckedExit(patchlore::cli::RunCheck(file.checkFile, output));
  if (*file.verify) return CheckedExit(patchlore::cli::RunVerify(file.verifyFile, output));
  if (*file.list) return CheckedExit(patchlore::cli::RunList(file.listFile, file.listSysex, output));
  if (*show) return CheckedExit(patchlore::cli::RunShow(showOptions, output));
  if (bankOptions.chosen()) return CheckedExit(patchlore::cli::RunBankCommand(bankOptions, output));
  if (*compare) return CheckedExit(patchlore::cli::RunCompare(compareOptions, output));
  if (*rename) return CheckedExit(patchlore::cli::RunRename(renameOptions, output));
  if (midiOptions.chosen()) return CheckedExit(patchlore::cli::RunMidiCommand(midiOptions, output));
  if (patchOptions.chosen()) return CheckedExit(patchlore::cli::RunPatchCommand(patchOptions, output));
  if (libraryOptions.chosen()) return CheckedExit(patchlore::cli::RunLibraryCommand(libraryOptions, output));
  return CheckedExit(0);
}
