// The commands of patchlore-cli: they drive the same core objects as the
// windows and print the same texts.
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/bytes.hpp"
#include "common/services.hpp"

namespace patchlore::cli {

struct Output {
  std::ostream& out;
  std::ostream& err;
  bool raw = false;  // write the program's 8-bit texts unchanged instead of UTF-8
  void line(const std::string& text) const;
  // "patchlore-cli: " and a text of the program on standard error.
  void error(const std::string& text) const;
};

// When the file at path cannot be read, says why on standard error
// («patchlore-cli: cannot read PATH: No such file or directory») and gives
// true.
bool ReportUnreadable(const std::string& path, const Output& output);

// An output file (-o) that exists and is not a regular file (a folder, a
// device, a pipe) is refused before anything is done: true, and the reason
// on standard error.
bool RefuseOutputTarget(const std::string& path, const Output& output);

// An edit re-signs a bank whose stored checksum was already wrong: the
// warning standard error then shows (the bank may be damaged), when the
// bank at offset has such a checksum now, before the edit.
std::optional<std::string> WrongChecksumWarning(Image image, std::int64_t bank);

// Every column check box by name and caption: «TChannel (Channel), ...».
std::string ColumnBoxList();

// Answers each open dialog with the next file of the command line; every
// other dialog is cancelled.
class CommandLineDialogs : public Dialogs {
 public:
  // The open dialogs to come are answered with these files, in turn; once
  // they are used up, a dialog is cancelled.
  void answerNextOpenWith(const std::string& path) { answers_.push_back(path); }
  std::optional<std::string> openFile(const std::string&) override;
  std::optional<std::string> saveFile(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
  bool askYesNo(const std::string&) override { return false; }
  // The command line keeps nothing in memory once a command ends.
  UnsavedChangesAnswer askAboutUnsavedChanges(const std::string&) override { return UnsavedChangesAnswer::Cancel; }

 private:
  std::deque<std::string> answers_;
};

// The load command that `info` runs on each file.
enum class LoadCommand { Open, OpenAsSysex, ImportSysexFromMidiFile };

// Runs the load command on each file in turn on one registry (Open as the
// desktop program runs it on a file given to it: a file that is not a PCG
// or SNG but holds SysEx is loaded as SysEx). 0 when every file was added,
// 2 when one could not be read (standard error says why), 1 otherwise.
int RunInfo(const std::vector<std::string>& files, LoadCommand command, const Output& output);

// Prints the "Check PCG" listing of a file; 2 when it cannot be read.
int RunCheck(const std::string& file, const Output& output);

// Prints one line per bank chunk and for GLB1: where it is, its stored
// checksum, the sum of its payload, its INI2 copy, OK or MISMATCH. 0 when
// every chunk agrees, 1 otherwise, 2 when the file is not read or not a
// whole PCG (standard error says why).
int RunVerify(const std::string& file, const Output& output);

// Opens FILE with the Open command and prints the object catalogue of its
// row: caption, columns, rows (every sub-item), descriptor lines, Msg and
// ActionMsg. 1 when the catalogue stops at an error (Msg and ActionMsg
// show it); 2 with the loader's ActionMsg when the file is not loaded.
int RunList(const std::string& file, bool sysex, const Output& output);

// What `show` is asked to do: the file (and the PCG to open before it), the
// catalogue rows to view, and the viewers' switches, filters and separator.
struct ShowOptions {
  std::string file;
  std::optional<std::string> link;
  std::vector<int> rows;  // all rows when empty
  bool sw1Off = false;
  bool sw2Off = false;
  bool sw3 = false;
  bool offsets = false;
  std::vector<std::string> tick;
  std::vector<std::string> untick;
  std::vector<std::string> select;  // keys; each is selected as KEY + "="
  bool enaProg = false;
  std::vector<std::string> substr;  // lines of the pattern memo
  bool disName = false;
  std::optional<std::string> chain;
  bool byProg = false;
  std::optional<int> separator;
  std::optional<std::string> outputDir;  // write each table here as "Save As CVS" would
  std::string format = "cvs";            // "cvs" (the windows' export), "csv" (RFC 4180), "json" or "html"
};

// Opens the file(s), builds the file's catalogue, opens the viewers of the
// chosen rows as the object browser does and lets each Show run. Prints each
// viewer's Caption, Msg, Info and LinkMsg, then its table as ".CVS" lines
// (or writes it to outputDir). With format "csv" or "json" only the tables
// are printed, in UTF-8: RFC 4180 records ended by CRLF (a blank record
// between two viewers' tables), or one JSON object per row and line; with
// outputDir each goes to the proposed name with ".csv" or ".json". Format
// "html" writes each table as a printable page (SheetHtml) dated today to
// the proposed name with ".html" and needs outputDir.
// The clock reads PATCHLORE_FIXED_TIME when set.
// 1 when the catalogue stops at an error (standard error shows it), 2 when
// a file is not loaded, a table not written or an argument is wrong.
int RunShow(const ShowOptions& options, const Output& output);

}  // namespace patchlore::cli
