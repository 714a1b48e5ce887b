// The main window's behaviour: its texts, its log, its busy state, the
// files given to it and its commands, each a step over the workspace that
// holds the loaded files. The desktop window copies the state onto its
// widgets; the command-line tool prints it.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "common/result.hpp"
#include "common/services.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

constexpr std::string_view kAllFilesFilter = "All files (*.*)|*.*";

// The tooltip of a row of the list of loaded files whose image was changed
// and not saved.
inline constexpr std::string_view kChangedFileTip = "Changed in memory; not saved";

struct MainWindowState {
  std::string caption{kBaseCaption};
  std::string actionMsg = "ActionMsg";
  std::string msgView = "  Please, Open and try to load file.";
  std::vector<std::string> view;  // the log list box
  ProgressBar progress;
  bool loadRunning = false;  // while true, neither load command may start
  FontChoice viewFont{"Courier New", 10, true, false};
};

// Which part of the state changed, so the window updates only that.
enum class MainWindowPart { Caption, ActionMsg, MsgView, View, Progress, Commands, Rows, ViewFont };

class MainWindowReporter : public Reporter {
 public:
  virtual void changed(MainWindowPart) {}
};

// A "Check PCG" window to open: its caption and the lines of its memo.
struct ChunkListingContent {
  std::string caption;
  std::vector<std::string> lines;
};

// A catalogue window to build for a row of the list of loaded files.
struct CatalogueRequest {
  int index;
  int counter;
};

class MainWindowCore : private LoadListener {
 public:
  MainWindowCore(Workspace& workspace, Dialogs& dialogs, MainWindowReporter& reporter);

  const MainWindowState& state() const { return state_; }
  Workspace& workspace() { return workspace_; }
  Registry& registry() { return workspace_.registry(); }
  const Registry& registry() const { return workspace_.registry(); }

  // Open: load a PCG or SNG file chosen in the open dialog. The registry
  // index of the file added, or why none was (the closing ActionMsg).
  Result<int> openFile();
  // The same with the file already chosen (picked in the library, named on
  // the command line): no dialog.
  Result<int> openFileAt(const std::string& path);
  // A file that a command needs by its path (Compare Patches, a patch found
  // in the library): the loaded file of that path as it is in memory, its
  // changes included; Open's load when none is loaded. With a dialog first:
  // openOrTakeLoaded.
  Result<int> loadedOrOpened(const std::string& path);
  Result<int> openOrTakeLoaded();
  // Files dropped on the window or named on the command line, loaded one
  // after the other as if chosen in the Open dialog; a file Open refuses for
  // its header (Format ERROR-1) that holds at least one complete SysEx
  // message is loaded with Open As SysEx instead. The log keeps the lines of
  // every file of the batch (Open alone clears it). Files given while a load
  // runs wait their turn: they are loaded when it ends (openGivenFiles again,
  // called by the window once the load has ended).
  void openGivenFiles(const std::vector<std::string>& paths);
  bool hasGivenFilesWaiting() const { return !givenFiles_.empty(); }
  // One given file, at once (no load may be running): the entry added, or
  // Open's refusal when neither Open nor Open As SysEx took it.
  LoadResult openGivenFile(const std::string& path);
  // Open As SysEx: load any chosen file holding at least one System
  // Exclusive message. Reports only through ActionMsg, MsgView and the
  // caption; the log changes only by a line saying why a file could not be
  // read. The registry index of the file added, or why none was.
  Result<int> openAsSysex();
  // Messages that did not come from the Open As SysEx dialog (received from
  // a MIDI input, say) become a registry entry as if a
  // file holding them had been loaded with Open As SysEx: the type text
  // «SysEx  ; Count:N», the same ActionMsg and MsgView texts. path names the
  // entry (its file name and folder); no file is read or written. The index
  // added, or why none was (no complete message, or a load is running).
  Result<int> addSysexImage(ByteBuffer bytes, const std::string& path);
  // Takes the SysEx messages out of the file at path, telling progress while
  // it reads: the messages back to back, or why none can be taken, in the
  // words ActionMsg shows.
  using SysexFileReader =
      std::function<Result<ByteBuffer>(const std::string& path, const ReadProgress& progress)>;
  // A load of the SysEx messages held in a file of another kind (a MIDI
  // file): the open dialog offers filter, reader takes the messages out of
  // the chosen file, and they become a registry entry as addSysexImage makes
  // one, named by that file; the entry holds SysEx bytes, so Save Pcg
  // proposes that name with the extension ".syx" rather than offering to
  // write them over the MIDI file. When reader fails, ActionMsg shows its text.
  // Like the other loads, it does not start while one runs, and none starts
  // while it runs. The index added, or why none was.
  Result<int> loadSysexWith(const std::string& filter, const SysexFileReader& reader);
  // Import SysEx from MIDI File: loadSysexWith for Standard MIDI Files.
  Result<int> importSysexFromMidiFile();
  // A SysEx file a command needs by its path (an M1 patch found in the
  // library): the loaded SysEx entry of that path as it is in memory; else,
  // without a dialog, a MIDI file's messages as Import SysEx from MIDI File
  // takes them, any other file with Open As SysEx.
  Result<int> sysexLoadedOrOpened(const std::string& path);
  // New: the "Check PCG" listing of a chosen file; nothing when cancelled or
  // when the file is refused (a file that cannot be read adds a log line
  // saying why).
  std::optional<ChunkListingContent> checkFile();
  // Save: the lines of the log as a ".txt" file.
  void saveLog();
  // Save Pcg: for each selected row in row order, the save dialog proposes
  // the row's File Name; cancelling skips the row, refusing to rewrite an
  // existing file ends the command. Each save's outcome shows in ActionMsg;
  // after the last, a failure still shows there. With no row selected,
  // ActionMsg says to select one.
  void savePcg(std::vector<int> selectedRows);
  // Edit > Undo and Redo: the last change of a loaded image taken back, the
  // last one taken back made again; ActionMsg names it.
  void undo();
  void redo();
  // The Edit menu's items: "Undo " and the name of the change Undo would
  // take back, or "Undo" alone when there is none; the same for Redo.
  std::string undoCaption() const;
  std::string redoCaption() const;
  // Exit, closing the main window or the session ending: whether the
  // program may end. With files changed in memory it asks once: Save runs
  // Save Pcg on them (true when every one was saved), Discard ends, Cancel
  // goes on.
  bool mayClose();
  // Font Setting: the font of the log.
  void chooseLogFont();
  // The same, the dialog starting from the font the log is really drawn in
  // (the designed one may be missing on this system).
  void chooseLogFont(const FontChoice& shown);
  // The font chosen for the log in an earlier run.
  void restoreLogFont(const FontChoice& font);
  // Double-click or header right-click on the list of loaded files: one
  // catalogue per selected row, in row order.
  std::vector<CatalogueRequest> catalogueRequestsFor(std::vector<int> selectedRows);
  // Compare: each comparison window gets the next number ("Compare1", ...).
  int nextComparisonNumber() { return ++comparisonCounter_; }
  // The comparison moves the progress bar of this window.
  void showComparisonProgress(const ProgressBar& progress) { setProgress(progress); }
  // Builds the catalogue of loaded file index for the window numbered counter;
  // its steps and errors show in ActionMsg.
  Catalogue buildCatalogue(int index, int counter);
  // The same, with the check that stopped the build when one did.
  BuiltCatalogue buildCheckedCatalogue(int index, int counter);

 private:
  // Open's work once the file is chosen and the load marked running.
  LoadResult openChosenFile(const std::string& path);
  std::optional<std::string> chooseFileToOpen(std::string_view filter = kAllFilesFilter);
  // What every load command does around its work: refuse while a load runs,
  // ask for the file and mark the load running; the path, or why not.
  Result<std::string> startLoad(std::string_view filter = kAllFilesFilter);
  // The SysEx entry of addSysexImage, loadSysexWith and a given file, made
  // while their load runs.
  Result<int> addSysexWhileLoading(ByteBuffer bytes, const std::string& path, const std::string& savePath);
  // What loadSysexWith does once the file is chosen and the load runs; it
  // ends the load.
  Result<int> readSysexWhileLoading(const std::string& path, const SysexFileReader& reader);
  // MsgView after a load that added a file: how many are loaded.
  void showLoadedCount();
  // Hides the progress bar (a failed read may have shown it) and ends the load.
  void endLoad();
  bool saveImage(int index, const std::string& path);  // false when it failed
  void setActionMsg(std::string text);
  void setCaption(std::string text);
  void setMsgView(std::string text);
  void clearView();
  void addViewLine(std::string line);
  void setProgress(ProgressBar progress);
  void setLoadRunning(bool running);

  // What a load tells, shown as the main window shows it.
  void step(const std::string& text) override { setActionMsg(text); }
  void caption(const std::string& text) override { setCaption(text); }
  void clearLog() override {
    if (!keepLog_) clearView();
  }
  void logLine(const std::string& line) override { addViewLine(line); }
  void progress(const ProgressBar& bar) override { setProgress(bar); }
  void pump() override { reporter_.pump(); }
  void added(int) override { reporter_.changed(MainWindowPart::Rows); }

  Workspace& workspace_;
  Dialogs& dialogs_;
  MainWindowReporter& reporter_;
  MainWindowState state_;
  int catalogueCounter_ = 0;
  int comparisonCounter_ = 0;
  std::deque<std::string> givenFiles_;  // waiting for their turn to load
  bool openingGivenFiles_ = false;
  bool keepLog_ = false;  // a batch of given files past its first file
  std::string lastOpenDialogFile_;  // the save dialog proposes it
};

}  // namespace patchlore
