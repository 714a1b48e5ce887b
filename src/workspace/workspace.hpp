// The loaded files and what loads them, without any window: the registry,
// Open of a PCG or SNG file, Open As SysEx, SysEx messages from elsewhere
// becoming an entry, the catalogue of a loaded file and writing an image.
// A load takes a path and gives the new entry, or a refusal with the texts
// the main window shows; while it runs it tells a LoadListener its steps.
//
// Every change of an image goes through the workspace: a command writes
// through an ImageEdit and commits it, the change is recorded for Undo and
// Redo, the file is marked changed in memory until it is saved, and the
// windows that subscribed hear of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_buffer.hpp"
#include "common/result.hpp"
#include "common/services.hpp"
#include "workspace/catalogue.hpp"
#include "workspace/image_change.hpp"
#include "workspace/image_history.hpp"
#include "workspace/registry.hpp"

namespace patchlore {

inline constexpr std::string_view kBaseCaption = "Patchlore ";

// What a load tells while it runs: the steps the main window's status label
// shows, its caption and log lines, and the progress of the read. Nothing is
// told to a listener that does not override a method.
class LoadListener {
 public:
  virtual ~LoadListener() = default;
  virtual void step(const std::string& /*actionMsg*/) {}
  virtual void caption(const std::string& /*text*/) {}
  virtual void clearLog() {}
  virtual void logLine(const std::string& /*line*/) {}
  virtual void progress(const ProgressBar& /*bar*/) {}
  virtual void pump() {}
  // The registry has a new entry.
  virtual void added(int /*index*/) {}
};

// A file added to the registry, and the status text its load ends with.
struct LoadedEntry {
  int index = -1;
  std::string closing;
};

// Why a file was not added, in the words the status label shows last.
struct LoadRefusal {
  std::string text;
  // Open refused the file for its header (Format ERROR-1: it does not begin
  // with "KORG"); bytes then holds what was read, for another try as SysEx.
  bool unknownHeader = false;
  ByteBuffer bytes{};
  // Why the file could not be read, when it could not: «cannot read PATH: »
  // and the system's words (a missing file, a folder, no permission, not a
  // regular file). The load also tells it as a log line. Empty when read.
  std::string reason{};
};

using LoadResult = Result<LoadedEntry, LoadRefusal>;

// A catalogue, and the check that stopped its build (the rows built before
// it stay).
struct BuiltCatalogue {
  Catalogue catalogue;
  Status status;
};

// What a window of loaded files hears from the workspace. It subscribes
// while it shows a loaded file and unsubscribes before it goes.
class WorkspaceObserver {
 public:
  virtual ~WorkspaceObserver() = default;
  // The image of loaded file index changed: a change was made, undone or redone.
  virtual void imageChanged(int /*index*/) {}
  // What Undo or Redo would do, or which files are changed in memory, changed.
  virtual void historyChanged() {}
};

class Workspace {
 public:
  Workspace() = default;
  Workspace(const Workspace&) = delete;  // observers hold on to it
  Workspace& operator=(const Workspace&) = delete;

  Registry& registry() { return registry_; }
  const Registry& registry() const { return registry_; }

  // Open: reads the file whole, recognises a PCG or SNG file of a KRONOS or
  // an OASYS and adds it; the first PCG added becomes the linked one.
  LoadResult openFile(const std::string& path, LoadListener& listener);
  LoadResult openFile(const std::string& path);
  // Open As SysEx: any file holding at least one complete SysEx message.
  LoadResult openAsSysex(const std::string& path, LoadListener& listener);
  // SysEx messages that were not read by Open As SysEx (received from an
  // input, taken out of a MIDI file) added as if they had been: the texts
  // name textPath, the entry is named entryPath.
  LoadResult addSysex(ByteBuffer bytes, const std::string& textPath, const std::string& entryPath,
                      LoadListener& listener);

  // The catalogue of loaded file index: its rows, caption and Msg (the row
  // count, or the error of the check that stopped the build); pending events
  // are let in while the rows of a PCG are built.
  BuiltCatalogue catalogue(int index, Reporter& reporter) const;
  BuiltCatalogue catalogue(int index) const;

  // Writes the whole image of loaded file index to path, over a temporary
  // file, so a failure leaves an existing file as it was. Once written, the
  // file is no longer changed in memory.
  Status writeImage(int index, const std::string& path);

  // The loaded file of path (the same file, however named), the first when
  // it was loaded twice; nothing when none is.
  std::optional<int> loadedIndexOf(const std::string& path) const;

  // --- Changes in memory ------------------------------------------------------
  // Starts the change of loaded file index called name; the command writes
  // through the edit and commits it. For an index that is not loaded every
  // write falls outside, and the commit fails.
  ImageEdit beginChange(int index, std::string name);
  // Records the edit's change, marks its file changed and tells the
  // observers. An edit that changed no byte records nothing; one that tried
  // to write outside the image is taken back and is the failure.
  Status commit(ImageEdit& edit);
  // Takes back the last change made / makes the last change undone again;
  // the failure when there is none.
  Status undo();
  Status redo();
  const ImageHistory& history() const { return history_; }
  // Whether the image differs from the one loaded or last saved.
  bool changed(int index) const { return history_.changed(index); }
  // The loaded files changed in memory, by index.
  std::vector<int> changedFiles() const;

  void subscribe(WorkspaceObserver& observer);
  void unsubscribe(WorkspaceObserver& observer);

 private:
  void tellImageChanged(int index);
  void tellHistoryChanged();

  Registry registry_;
  ImageHistory history_;
  std::vector<WorkspaceObserver*> observers_;
};

}  // namespace patchlore
