#include "cli/commands.hpp"

#include <deque>
#include <optional>

#include "app/file_io.hpp"
#include "app/main_window.hpp"
#include "formats/check_listing.hpp"
#include "formats/cp1251.hpp"

namespace patchlore::cli {

namespace {

// Answers each open dialog with the next file of the command line; every
// other dialog is cancelled.
class CommandLineDialogs : public Dialogs {
 public:
  void answerNextOpenWith(const std::string& path) { next_ = path; }
  std::optional<std::string> openFile(const std::string&) override {
    auto answer = next_;
    next_.reset();
    return answer;
  }
  std::optional<std::string> saveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<FontSpec> chooseFont(const FontSpec&) override { return std::nullopt; }
  bool askYesNo(const std::string&) override { return false; }

 private:
  std::optional<std::string> next_;
};

std::string JoinRow(const FileRow& row) {
  return row.index + "\t" + row.fileName + "\t" + row.bytes + "\t" + row.type + "\t" + row.filePath;
}

}  // namespace

void Output::line(const std::string& text) const {
  out << (raw ? text : Cp1251ToUtf8(text)) << '\n';
}

int RunInfo(const std::vector<std::string>& files, const Output& output) {
  CommandLineDialogs dialogs;
  MainWindowReporter reporter;
  MainWindowCore window(dialogs, reporter);
  bool everyFileAdded = true;
  for (const auto& file : files) {
    const int before = window.registry().count();
    dialogs.answerNextOpenWith(file);
    window.FileOpen1Execute();
    everyFileAdded = everyFileAdded && window.registry().count() == before + 1;
    const auto& state = window.state();
    output.line("ActionMsg: " + state.actionMsg);
    output.line("MsgView: " + state.msgView);
    output.line("Caption: " + state.caption);
    for (const auto& line : state.view) output.line("View: " + line);
  }
  for (int i = 0; i < window.registry().count(); ++i)
    output.line("Row: " + JoinRow(window.registry().row(i)));
  output.line("LinkedPcgIndex: " + std::to_string(window.registry().linkedPcgIndex()));
  return everyFileAdded ? 0 : 1;
}

int RunCheck(const std::string& file, const Output& output) {
  const ReadResult read = ReadWholeFile(file);
  if (!read.opened) {
    output.err << "patchlore-cli: cannot read " << file << '\n';
    return 2;
  }
  if (read.tooLarge) {
    output.err << "patchlore-cli: " << file << " is too large (" << read.fileSize
               << " bytes; at most " << kLargestLoadableFile << " can be read)\n";
    return 2;
  }
  for (const auto& line : CheckPcgListing(Utf8ToCp1251(file), read.bytes.bytes())) output.line(line);
  return 0;
}

int RunList(const std::string& file, const Output& output) {
  CommandLineDialogs dialogs;
  MainWindowReporter reporter;
  MainWindowCore window(dialogs, reporter);
  dialogs.answerNextOpenWith(file);
  window.FileOpen1Execute();
  if (window.registry().count() == 0) {
    output.line("ActionMsg: " + window.state().actionMsg);
    return 1;
  }
  const Catalogue catalogue = window.BuildCatalogue(0, 0);
  output.line("Caption: " + catalogue.caption);
  std::string columns;
  for (std::size_t c = 0; c < catalogue.list.columns.size(); ++c)
    columns += (c == 0 ? "" : "\t") + catalogue.list.columns[c].caption;
  output.line("Columns: " + columns);
  for (const auto& row : catalogue.list.rows) {
    std::string line = "Row: " + row.caption;
    for (const auto& cell : row.cells) line += "\t" + cell;
    output.line(line);
  }
  for (const auto& line : catalogue.offsetBox) output.line("Offset: " + line);
  output.line("Msg: " + catalogue.msg);
  output.line("ActionMsg: " + window.state().actionMsg);
  return 0;
}

}  // namespace patchlore::cli
