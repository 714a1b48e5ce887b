// The main window's load commands: each asks for its file (or is given one),
// marks the load running, lets the workspace load it while the window shows
// its steps, and ends with the closing text in ActionMsg.
#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "main_window/main_window_core.hpp"
#include "sysex/import_midi_file.hpp"

namespace patchlore {

namespace {

constexpr std::string_view kPleaseLoad = "  Please, Open and try to Load file.";

Result<int> IndexOrText(const LoadResult& loaded) {
  if (!loaded) return Failure{loaded.failure().text};
  return loaded->index;
}

}  // namespace

std::optional<std::string> MainWindowCore::chooseFileToOpen(std::string_view filter) {
  auto chosen = dialogs_.openFile(std::string(filter));
  if (chosen) lastOpenDialogFile_ = *chosen;
  return chosen;
}

Result<std::string> MainWindowCore::startLoad(std::string_view filter) {
  if (state_.loadRunning) return Failure{"Another file is being loaded"};  // one load at a time
  setActionMsg("OpenDialog");
  reporter_.pump();
  auto path = chooseFileToOpen(filter);
  if (!path) return Failure{"No file chosen"};
  setLoadRunning(true);
  return std::move(*path);
}

void MainWindowCore::endLoad() {
  setProgress({false, state_.progress.maximum, state_.progress.maximum});
  setLoadRunning(false);
}

void MainWindowCore::showLoadedCount() {
  const int count = registry().count();
  setMsgView(count > 0 ? "  Loaded:" + std::to_string(count) + "; " + std::string(kPleaseLoad)
                       : std::string(kPleaseLoad));
}

Result<int> MainWindowCore::openFile() {
  const Result<std::string> path = startLoad();
  if (!path) return path.failure();
  return IndexOrText(openChosenFile(*path));
}

Result<int> MainWindowCore::openFileAt(const std::string& path) {
  if (state_.loadRunning) return Failure{"Another file is being loaded"};  // one load at a time
  setLoadRunning(true);
  return IndexOrText(openChosenFile(path));
}

Result<int> MainWindowCore::loadedOrOpened(const std::string& path) {
  if (const auto loaded = workspace_.loadedIndexOf(path)) return *loaded;
  return openFileAt(path);
}

Result<int> MainWindowCore::openOrTakeLoaded() {
  if (state_.loadRunning) return Failure{"Another file is being loaded"};  // one load at a time
  setActionMsg("OpenDialog");
  reporter_.pump();
  const auto path = chooseFileToOpen();
  if (!path) return Failure{"No file chosen"};
  return loadedOrOpened(*path);
}

LoadResult MainWindowCore::openChosenFile(const std::string& path) {
  LoadResult loaded = workspace_.openFile(path, *this);
  endLoad();
  setActionMsg(loaded ? loaded->closing : loaded.failure().text);
  showLoadedCount();
  return loaded;
}

Result<int> MainWindowCore::openAsSysex() {
  const Result<std::string> path = startLoad();
  if (!path) return path.failure();
  const LoadResult loaded = workspace_.openAsSysex(*path, *this);
  if (loaded) showLoadedCount();
  endLoad();
  return IndexOrText(loaded);
}

Result<int> MainWindowCore::addSysexImage(ByteBuffer bytes, const std::string& path) {
  if (state_.loadRunning) return Failure{"Another file is being loaded"};  // one load at a time
  setLoadRunning(true);
  Result<int> added = addSysexWhileLoading(std::move(bytes), path, path);
  endLoad();
  return added;
}

Result<int> MainWindowCore::loadSysexWith(const std::string& filter, const SysexFileReader& reader) {
  const Result<std::string> path = startLoad(filter);
  if (!path) return path.failure();
  return readSysexWhileLoading(*path, reader);
}

Result<int> MainWindowCore::readSysexWhileLoading(const std::string& path, const SysexFileReader& reader) {
  setActionMsg("SysEx  Read file  <" + Utf8ToCp1251(NameOf(path)) + ">");
  reporter_.pump();
  Result<ByteBuffer> bytes = reader(path, [this](std::int64_t done, std::int64_t total) {
    setProgress({true, total, done});
    reporter_.pump();
  });
  Result<int> added = bytes ? addSysexWhileLoading(std::move(*bytes), path, ChangeFileExt(path, ".syx"))
                            : Result<int>(bytes.failure());
  if (!bytes) setActionMsg(bytes.failure().text);
  endLoad();
  return added;
}

Result<int> MainWindowCore::importSysexFromMidiFile() {
  return loadSysexWith(std::string(kMidiFileFilter), ReadMidiFileSysex);
}

Result<int> MainWindowCore::sysexLoadedOrOpened(const std::string& path) {
  if (const auto loaded = workspace_.loadedIndexOf(path); loaded && registry().kind(*loaded) == FileKind::SysEx)
    return *loaded;
  if (state_.loadRunning) return Failure{"Another file is being loaded"};  // one load at a time
  setLoadRunning(true);
  if (BeginsAsMidiFile(path)) return readSysexWhileLoading(path, ReadMidiFileSysex);
  const LoadResult loaded = workspace_.openAsSysex(path, *this);
  if (loaded) showLoadedCount();
  endLoad();
  return IndexOrText(loaded);
}

Result<int> MainWindowCore::addSysexWhileLoading(ByteBuffer bytes, const std::string& path,
                                                 const std::string& savePath) {
  const LoadResult loaded = workspace_.addSysex(std::move(bytes), path, savePath, *this);
  if (loaded) showLoadedCount();
  return IndexOrText(loaded);
}

}  // namespace patchlore
