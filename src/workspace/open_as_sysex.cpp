// The Open As SysEx command: read a file whole, count its System Exclusive
// messages and, when there is one at least, append the file to the
// registry. No header is checked and the messages are not kept: whoever
// needs them scans the image again.
#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "formats/sysex_scan.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

namespace {

constexpr std::string_view kSysex = "SysEx ";

class OpenAsSysexCommand {
 public:
  // The texts name the file at path; the registry entry is named entryPath
  // (the same, unless the messages were taken out of a file of another kind).
  OpenAsSysexCommand(Registry& registry, LoadListener& listener, std::string path, std::string entryPath = {})
      : registry_(registry),
        listener_(listener),
        path_(std::move(path)),
        entryPath_(entryPath.empty() ? path_ : std::move(entryPath)),
        name_(Utf8ToCp1251(NameOf(path_))) {}

  LoadResult run() {
    say(" Read file  " + bracketed());
    listener_.pump();
    ReadResult read = ReadWholeFile(path_, [this](std::int64_t done, std::int64_t total) {
      listener_.progress({true, total, done});
      listener_.pump();
    });
    if (read || read.failure().opened()) say(" Close file " + bracketed());
    say(" Finally read " + bracketed());
    say(" end of reading " + bracketed());
    if (!read) return refuseUnread(read.failure());
    if (read->size() < 1) return LoadRefusal{.text = last_};  // nothing read, nothing to look at
    ByteBuffer buffer = std::move(*read);
    const std::int64_t n = buffer.size();
    listener_.caption(std::string(kBaseCaption) + "Open file <" + name_ + ">" + " Bytes:" + std::to_string(n));
    listener_.progress({true, n, 0});
    listener_.pump();
    const std::int64_t count = SysexCount(buffer.bytes());
    listener_.pump();
    LoadResult added = count == 0 ? refuseNoMessage() : add(std::move(buffer), count);
    listener_.progress({false, n, n});
    return added;
  }

  // The bytes were not read by this command: they are counted and added the
  // same way.
  LoadResult addImage(ByteBuffer buffer) {
    const std::int64_t count = SysexCount(buffer.bytes());
    if (count == 0) return refuseNoMessage();
    return add(std::move(buffer), count);
  }

 private:
  LoadResult add(ByteBuffer buffer, std::int64_t count) {
    const std::int64_t n = buffer.size();
    say(" Alloc in Memory " + bracketed());
    step("Copy Buffer to PCList.Items[" + std::to_string(registry_.count()) + "]");
    listener_.progress({true, n, 0});
    const int index = registry_.add(std::move(buffer), entryPath_,
                                    {FileKind::SysEx, Model::None, std::string(kSysex) + " ; Count:" + std::to_string(count)});
    listener_.added(index);
    listener_.progress({false, n, n});
    say(" load from file" + bracketed());
    return LoadedEntry{index, last_};
  }

  // Open As SysEx keeps the log as it is, but for the line that says why
  // the file was not read.
  LoadResult refuseUnread(const ReadFailure& failure) {
    const std::string reason = Utf8ToCp1251(failure.text);
    listener_.logLine(std::string(kBaseCaption) + reason);
    return LoadRefusal{.text = last_, .reason = reason};
  }

  LoadResult refuseNoMessage() {
    say(" Sysex missing in  file" + bracketed());
    return LoadRefusal{.text = last_};
  }

  void say(const std::string& text) { step(std::string(kSysex) + text); }
  void step(std::string text) {
    last_ = std::move(text);
    listener_.step(last_);
  }
  std::string bracketed() const { return "<" + name_ + ">"; }

  Registry& registry_;
  LoadListener& listener_;
  std::string path_;
  std::string entryPath_;
  std::string name_;
  std::string last_;  // the step told last
};

}  // namespace

LoadResult Workspace::openAsSysex(const std::string& path, LoadListener& listener) {
  return OpenAsSysexCommand(registry_, listener, path).run();
}

LoadResult Workspace::addSysex(ByteBuffer bytes, const std::string& textPath, const std::string& entryPath,
                               LoadListener& listener) {
  return OpenAsSysexCommand(registry_, listener, textPath, entryPath).addImage(std::move(bytes));
}

}  // namespace patchlore
