// The Open As SysEx command: read a chosen file whole, count its System
// Exclusive messages and, when there is one at least, append the file to the
// registry. No header is checked and the messages are not kept: whoever needs
// them scans the image again.
#include "app/main_window_core.hpp"
#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "formats/sysex_scan.hpp"

namespace patchlore {

namespace {

constexpr std::string_view kSysex = "SysEx ";

}  // namespace

class MainWindowCore::OpenAsSysexCommand {
 public:
  // The texts name the file at path; the registry entry is named entryPath
  // (the same, unless the messages were taken out of a file of another kind).
  OpenAsSysexCommand(MainWindowCore& window, std::string path, std::string entryPath = {})
      : w_(window),
        path_(std::move(path)),
        entryPath_(entryPath.empty() ? path_ : std::move(entryPath)),
        name_(Utf8ToCp1251(NameOf(path_))) {}

  void run() {
    say(" Read file  " + bracketed());
    w_.reporter_.pump();
    ReadResult read = ReadWholeFile(path_, [this](std::int64_t done, std::int64_t total) {
      w_.setProgress({true, total, done});
      w_.reporter_.pump();
    });
    if (read || read.failure().opened()) say(" Close file " + bracketed());
    say(" Finally read " + bracketed());
    say(" end of reading " + bracketed());
    if (!read || read->size() < 1) return;  // nothing read, nothing to look at
    ByteBuffer buffer = std::move(*read);
    const std::int64_t n = buffer.size();
    w_.setCaption(std::string(kBaseCaption) + "Open file <" + name_ + ">" + " Bytes:" + std::to_string(n));
    w_.setProgress({true, n, 0});
    w_.reporter_.pump();
    const std::int64_t count = SysexCount(buffer.bytes());
    w_.reporter_.pump();
    if (count == 0) {
      say(" Sysex missing in  file" + bracketed());
    } else {
      add(std::move(buffer), count);
    }
    w_.setProgress({false, n, n});
  }

  bool added() const { return added_; }

  // The bytes were not read by this command: they are counted and added the
  // same way.
  void addImage(ByteBuffer buffer) {
    const std::int64_t count = SysexCount(buffer.bytes());
    if (count == 0) {
      say(" Sysex missing in  file" + bracketed());
      return;
    }
    add(std::move(buffer), count);
  }

 private:
  void add(ByteBuffer buffer, std::int64_t count) {
    const std::int64_t n = buffer.size();
    say(" Alloc in Memory " + bracketed());
    w_.setActionMsg("Copy Buffer to PCList.Items[" + std::to_string(w_.registry_.count()) + "]");
    w_.setProgress({true, n, 0});
    w_.registry_.add(std::move(buffer), entryPath_, std::string(kSysex) + " ; Count:" + std::to_string(count));
    w_.reporter_.changed(MainWindowPart::Rows);
    w_.setProgress({false, n, n});
    say(" load from file" + bracketed());
    const std::string please = "  Please, Open and try to Load file.";
    w_.setMsgView(please);
    w_.setMsgView("  Loaded:" + std::to_string(w_.registry_.count()) + "; " + please);
    added_ = true;
  }

  void say(const std::string& text) { w_.setActionMsg(std::string(kSysex) + text); }
  std::string bracketed() const { return "<" + name_ + ">"; }

  MainWindowCore& w_;
  std::string path_;
  std::string entryPath_;
  std::string name_;
  bool added_ = false;
};

Result<int> MainWindowCore::openAsSysex() {
  const Result<std::string> path = startLoad();
  if (!path) return path.failure();
  OpenAsSysexCommand command(*this, *path);
  command.run();
  endLoad();
  if (!command.added()) return Failure{state_.actionMsg};
  return registry_.count() - 1;
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
  setActionMsg(std::string(kSysex) + " Read file  <" + Utf8ToCp1251(NameOf(*path)) + ">");
  reporter_.pump();
  Result<ByteBuffer> bytes = reader(*path, [this](std::int64_t done, std::int64_t total) {
    setProgress({true, total, done});
    reporter_.pump();
  });
  Result<int> added = bytes ? addSysexWhileLoading(std::move(*bytes), *path, ChangeFileExt(*path, ".syx"))
                             : Result<int>(bytes.failure());
  if (!bytes) setActionMsg(bytes.failure().text);
  endLoad();
  return added;
}

Result<int> MainWindowCore::addSysexWhileLoading(ByteBuffer bytes, const std::string& path,
                                                 const std::string& entryPath) {
  OpenAsSysexCommand command(*this, path, entryPath);
  command.addImage(std::move(bytes));
  if (!command.added()) return Failure{state_.actionMsg};
  return registry_.count() - 1;
}

}  // namespace patchlore
