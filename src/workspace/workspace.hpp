// The loaded files and what loads them, without any window: the registry,
// Open of a PCG or SNG file, Open As SysEx, SysEx messages from elsewhere
// becoming an entry, the catalogue of a loaded file and writing an image.
// A load takes a path and gives the new entry, or a refusal with the texts
// the main window shows; while it runs it tells a LoadListener its steps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/byte_buffer.hpp"
#include "common/result.hpp"
#include "common/services.hpp"
#include "workspace/catalogue.hpp"
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

class Workspace {
 public:
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
  // file, so a failure leaves an existing file as it was.
  Status writeImage(int index, const std::string& path) const;

 private:
  Registry registry_;
};

}  // namespace patchlore
