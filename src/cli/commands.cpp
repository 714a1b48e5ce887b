#include "cli/commands.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>

#include "cli/command_line.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "formats/banks.hpp"
#include "formats/checksums.hpp"
#include "formats/chunk_listing.hpp"
#include "formats/verify.hpp"
#include "main_window/main_window_core.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/script_export.hpp"
#include "viewer/sheet_html.hpp"
#include "viewer/table_export.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore::cli {

namespace {

// Open runs as the desktop program runs it on a file given to it; the other
// commands as if the file were chosen in their dialog.
bool Load(MainWindowCore& window, CommandLineDialogs& dialogs, LoadCommand command, const std::string& file) {
  if (command == LoadCommand::Open) return window.openGivenFile(file).ok();
  dialogs.answerNextOpenWith(file);
  return (command == LoadCommand::OpenAsSysex ? window.openAsSysex() : window.importSysexFromMidiFile()).ok();
}

std::string JoinRow(const FileRow& row) {
  return row.index + "\t" + row.fileName + "\t" + row.bytes + "\t" + row.type + "\t" + row.filePath;
}

// The rows as the object browser holds them: "Row: " and the texts of a row
// joined by tabs (a bank row's texts that no column shows too), then the
// OffsetBox lines.
void PrintCatalogueRows(const Catalogue& catalogue, const Output& output) {
  for (std::size_t r = 0; r < catalogue.rowCount(); ++r) {
    std::string line = "Row: " + catalogue.text(r, 0);
    if (catalogue.computed) {
      for (std::size_t c = 1; c < catalogue.columns().size(); ++c) line += Concat({"\t", catalogue.text(r, c)});
    } else {
      for (const auto& cell : catalogue.list.rows[r].cells) line += "\t" + cell;
    }
    output.line(line);
  }
  for (std::size_t r = 0; r < catalogue.rowCount(); ++r) output.line("Offset: " + catalogue.descriptorLine(r));
}

}  // namespace

std::optional<std::string> CommandLineDialogs::openFile(const std::string&) {
  if (answers_.empty()) return std::nullopt;
  std::string answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

void Output::line(const std::string& text) const {
  out << (raw ? text : Cp1251ToUtf8(text)) << '\n';
}

void Output::error(const std::string& text) const {
  err << "patchlore-cli: " << (raw ? text : Cp1251ToUtf8(text)) << '\n';
}

bool ReportUnreadable(const std::string& path, const Output& output) {
  const Status readable = CheckReadable(path);
  if (!readable) output.err << "patchlore-cli: " << readable.failure().text << '\n';  // the path as given
  return !readable;
}

bool RefuseOutputTarget(const std::string& path, const Output& output) {
  const Status target = CheckSaveTarget(path);
  if (!target) output.err << "patchlore-cli: " << target.failure().text << '\n';
  return !target;
}

std::optional<std::string> WrongChecksumWarning(Image image, std::int64_t bank) {
  const BankHeader header = ReadBankHeader(image, bank);
  const std::uint8_t sum = CheckBytes(image, bank);
  if (sum == header.checkSum) return std::nullopt;
  return "warning: bank " + BankName(header.id, header.typeCode) + " at " + Hex8(bank) +
         " had a wrong checksum before this change (stored " + HexPad(header.checkSum, 2) + ", sum " +
         HexPad(sum, 2) + "): the bank may be damaged";
}

std::string ColumnBoxList() {
  std::string list;
  for (const ColumnBox& box : DefaultColumnBoxes())
    list += (list.empty() ? "" : ", ") + box.name + " (" + box.caption + ")";
  return list;
}

int RunInfo(const std::vector<std::string>& files, LoadCommand command, const Output& output) {
  CommandLineDialogs dialogs;
  MainWindowReporter reporter;
  Workspace workspace;
  MainWindowCore window(workspace, dialogs, reporter);
  int status = kDone;
  for (const auto& file : files) {
    if (!Load(window, dialogs, command, file))
      status = std::max(status, ReportUnreadable(file, output) ? kRefused : kNotAsAsked);
    const auto& state = window.state();
    output.line("ActionMsg: " + state.actionMsg);
    output.line("MsgView: " + state.msgView);
    output.line("Caption: " + state.caption);
    for (const auto& line : state.view) output.line("View: " + line);
  }
  for (int i = 0; i < window.registry().count(); ++i)
    output.line("Row: " + JoinRow(window.registry().row(i)));
  output.line("LinkedPcgIndex: " + std::to_string(window.registry().linkedPcgIndex()));
  return status;
}

int RunCheck(const std::string& file, const Output& output) {
  const ReadResult read = ReadWholeFile(file);
  if (!read) {
    output.err << "patchlore-cli: " << read.failure().text << '\n';
    return kRefused;
  }
  for (const auto& line : CheckPcgListing(Utf8ToCp1251(file), read->bytes())) output.line(line);
  return kDone;
}

int RunVerify(const std::string& file, const Output& output) {
  const ReadResult read = ReadWholeFile(file);
  if (!read) {
    output.err << "patchlore-cli: " << read.failure().text << '\n';
    return kRefused;
  }
  const auto checks = VerifyChecksums(read->bytes());
  if (!checks) {
    output.error(Utf8ToCp1251(file) + ": " + checks.failure().text);
    return kRefused;
  }
  bool allAgree = true;
  for (const ChecksumCheck& check : *checks) {
    output.line(VerifyLine(check));
    allAgree = allAgree && check.ok();
  }
  return allAgree ? kDone : kNotAsAsked;
}

int RunList(const std::string& file, bool sysex, const Output& output) {
  CommandLineDialogs dialogs;
  MainWindowReporter reporter;
  Workspace workspace;
  MainWindowCore window(workspace, dialogs, reporter);
  dialogs.answerNextOpenWith(file);
  const Result<int> opened = sysex ? window.openAsSysex() : window.openFile();
  if (!opened) {
    output.line("ActionMsg: " + window.state().actionMsg);
    ReportUnreadable(file, output);
    return kRefused;
  }
  const BuiltCatalogue built = window.buildCheckedCatalogue(*opened, 0);
  const Catalogue& catalogue = built.catalogue;
  output.line("Caption: " + catalogue.caption);
  std::string columns;
  for (std::size_t c = 0; c < catalogue.list.columns.size(); ++c)
    columns += (c == 0 ? "" : "\t") + catalogue.list.columns[c].caption;
  output.line("Columns: " + columns);
  PrintCatalogueRows(catalogue, output);
  output.line("Msg: " + catalogue.msg);
  output.line("ActionMsg: " + window.state().actionMsg);
  return built.status ? kDone : kNotAsAsked;
}

namespace {

// Answers the save dialog of "Save As CVS" with the proposed name inside the
// output folder.
class ShowDialogs : public CommandLineDialogs {
 public:
  explicit ShowDialogs(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> saveFile(const std::string& proposal, const std::string&) override {
    return folder_ + "/" + NameOf(proposal);
  }

 private:
  std::string folder_;
};

ViewerClock ShowClock() {
  if (const char* fixed = std::getenv("PATCHLORE_FIXED_TIME")) {
    std::string text = fixed;
    return [text] { return text; };
  }
  return LocalTimeText;
}

// As Open runs on a file given to the program: a file that is not a PCG or
// SNG but holds SysEx is loaded as SysEx.
std::optional<int> OpenInto(Workspace& workspace, const std::string& file, const Output& output) {
  LoadResult opened = workspace.openFile(file);
  if (!opened && opened.failure().unknownHeader && SysexCount(opened.failure().bytes.bytes()) > 0) {
    LoadListener silent;
    LoadResult added = workspace.addSysex(std::move(opened.failure().bytes), file, file, silent);
    if (added) return added->index;
  }
  if (!opened) {
    output.line("ActionMsg: " + opened.failure().text);
    if (!opened.failure().reason.empty()) output.error(opened.failure().reason);
    return std::nullopt;
  }
  return opened->index;
}

bool SameWord(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                std::tolower(static_cast<unsigned char>(y)); });
}

// Ticks or unticks the column boxes a word names: the box of that name, or
// every box of that caption (tracks and programs share "Transpose"), in any
// letter case. False with a message listing the boxes when none matches.
bool SetColumnBoxes(ViewerCore& viewer, const std::string& word, bool checked, const Output& output) {
  std::vector<std::string> named;
  for (const ColumnBox& box : viewer.state().columnBoxes)
    if (SameWord(box.name, word)) named.push_back(box.name);
  if (named.empty())
    for (const ColumnBox& box : viewer.state().columnBoxes)
      if (SameWord(box.caption, word)) named.push_back(box.name);
  for (const std::string& name : named) (void)viewer.setColumnBox(name, checked);
  if (named.empty())
    output.err << "patchlore-cli: no column check box named " << word << "; the boxes are " << ColumnBoxList()
               << '\n';
  return !named.empty();
}

// Sets a viewer's switches, column boxes, filters and separator; false with
// a message for an unknown column box.
bool Configure(ViewerCore& viewer, const ShowOptions& options, const Output& output) {
  if (options.sw1Off) viewer.setByObject(false);
  if (options.sw2Off) viewer.setBankOnce(false);
  viewer.setPrefixes(options.sw3);
  viewer.setShowOffsets(options.offsets);
  for (const auto* words : {&options.tick, &options.untick})
    for (const auto& word : *words)
      if (!SetColumnBoxes(viewer, word, words == &options.tick, output)) return false;
  ViewFilters& filters = viewer.filters();
  for (const auto& key : options.select) filters.selectEntry(Utf8ToCp1251(key) + "=");
  if (options.enaProg) filters.enableProgramSelection();
  std::vector<std::string> lines;
  for (const auto& line : options.substr) lines.push_back(Utf8ToCp1251(line));
  filters.setMemoLines(std::move(lines));
  if (options.disName) filters.disableNameFilter();
  if (options.chain) filters.setChainStr(Utf8ToCp1251(*options.chain));
  if (options.separator) viewer.setSeparatorPosition(*options.separator);
  return true;
}

}  // namespace

namespace {

// Writes text whole to the folder under the name "Save As CVS" proposes with
// extension; false with a message when it was not written.
bool WriteInFolder(const ViewerCore& viewer, const std::string& folder, const std::string& extension,
                   const std::string& text, const Output& output) {
  const std::string name = ChangeFileExt(Cp1251ToUtf8(viewer.proposedExportName()), extension);
  const Status written = WriteFileSafely(folder + "/" + name, text.data(), text.size());
  if (!written) output.err << "patchlore-cli: " << name << " not written: " << written.failure().text << "\n";
  return written.ok();
}

// The table of a viewer in a format for scripts: printed, or written to the
// output folder under the name "Save As CVS" proposes with the format's
// extension. False when the file was not written.
bool PrintTableForScripts(const ViewerCore& viewer, const ShowOptions& options, bool first, const Output& output) {
  const ViewerState& state = viewer.state();
  const bool csv = options.format == "csv";
  const std::vector<std::string> lines = csv ? CsvRecords(state.table) : JsonRows(state.table);
  const std::string end = csv ? "\r\n" : "\n";
  std::string text;
  for (const auto& line : lines) text += line + end;
  if (options.outputDir) return WriteInFolder(viewer, *options.outputDir, csv ? ".csv" : ".json", text, output);
  if (csv && !first) output.out << end;
  output.out << text;
  return true;
}

// The catalogue rows to view: those asked for, or every row.
std::optional<std::vector<int>> RowsToView(const ShowOptions& options, const Catalogue& catalogue,
                                           const Output& output) {
  std::vector<int> rows = options.rows;
  const int rowCount = static_cast<int>(catalogue.rowCount());
  if (rows.empty())
    for (int r = 0; r < rowCount; ++r) rows.push_back(r);
  for (const int r : rows)
    if (r < 0 || r >= rowCount) {
      output.err << "patchlore-cli: no catalogue row " << r << " (the catalogue has " << rowCount << ")\n";
      return std::nullopt;
    }
  return rows;
}

// Lets the viewer Show and prints or writes what it shows; false when a
// table was not written.
bool ShowOne(ViewerCore& viewer, const ViewerShared& shared, const ShowOptions& options, bool first,
             const Output& output) {
  viewer.pressShow();
  if (options.byProg && viewer.kind() == ViewerKind::Song) {
    viewer.setByObject(false);
    viewer.pressShow();
  }
  if (options.format == "html")
    return WriteInFolder(viewer, *options.outputDir, ".html",
                         SheetHtml(viewer.state().table, viewer.sheetHeader(LocalDateText())), output);
  if (options.format != "cvs") return PrintTableForScripts(viewer, options, first, output);
  ShowDialogs dialogs(options.outputDir.value_or("."));
  const bool written = !options.outputDir || viewer.exportTable(dialogs).ok();  // Msg says why not
  const ViewerState& state = viewer.state();
  output.line("Caption: " + state.caption);
  output.line("Msg: " + state.msg);
  output.line("Info: " + state.info);
  output.line("LinkMsg: " + state.linkMsg);
  if (!options.outputDir)
    for (const auto& line : CvsLines(state.table, shared.separator)) output.line(line);
  return written;
}

}  // namespace

int RunShow(const ShowOptions& options, const Output& output) {
  if (options.format == "html" && !options.outputDir) {
    output.err << "patchlore-cli: --format html writes one page per viewer: name their folder with -o\n";
    return kRefused;
  }
  Workspace workspace;
  if (options.link && !OpenInto(workspace, *options.link, output)) return kRefused;
  const std::optional<int> opened = OpenInto(workspace, options.file, output);
  if (!opened) return kRefused;
  const BuiltCatalogue built = workspace.catalogue(*opened);
  if (!built.status) output.error(Utf8ToCp1251(options.file) + ": " + built.status.failure().text);
  const std::optional<std::vector<int>> rows = RowsToView(options, built.catalogue, output);
  if (!rows) return kRefused;

  ViewerShared shared;
  ViewerReporter viewerReporter;
  const ViewerClock clock = ShowClock();
  std::vector<std::unique_ptr<ViewerCore>> viewers;
  for (const auto& request : ViewerRequestsFor(built.catalogue, *rows)) {
    viewers.push_back(std::make_unique<ViewerCore>(workspace.registry(), shared, viewerReporter, clock));
    viewers.back()->Open(request);
    if (!Configure(*viewers.back(), options, output)) return kRefused;
  }
  int result = built.status ? kDone : kNotAsAsked;
  for (auto& viewer : viewers)
    if (!ShowOne(*viewer, shared, options, viewer == viewers.front(), output)) result = kRefused;
  return result;
}

}  // namespace patchlore::cli
