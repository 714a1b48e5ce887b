#include "library/file_for_library.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "common/byte_reader.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "common/sha256.hpp"
#include "formats/midi_file.hpp"
#include "formats/m1_sysex_layout.hpp"
#include "formats/midi_file_layout.hpp"
#include "formats/model_layout.hpp"
#include "library/m1_patch_walk.hpp"
#include "library/patch_walk.hpp"
#include "library/program_usage.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

namespace {

struct FileStamp {
  std::int64_t size = -1;
  std::int64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const struct stat& status) {
  return {static_cast<std::int64_t>(status.st_size), static_cast<std::int64_t>(status.st_mtime)};
}

FileStamp StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return StampOf(status);
}

// What a look at a file's first bytes tells, before it is loaded.
struct FileHeader {
  FileStamp stamp;
  bool korg = false;      // begins as every PCG and SNG does
  bool midiFile = false;  // begins as a Standard MIDI File does
  bool sysex = false;     // begins as a SysEx message does
};

// Opened without waiting, so a named pipe with no writer cannot hold the
// run; only regular files are looked into.
Result<FileHeader> ReadHeader(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failure{std::string("not read: ") + std::strerror(errno)};
  struct stat status {};
  char bytes[4] = {};
  const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  const ssize_t got = regular ? ::pread(fd, bytes, sizeof bytes, 0) : 0;
  const int error = errno;
  ::close(fd);
  if (!regular) return Failure{"not read: not a regular file"};
  if (got < 0) return Failure{std::string("not read: ") + std::strerror(error)};
  return FileHeader{StampOf(status), got == 4 && std::memcmp(bytes, "KORG", 4) == 0,
                    got == 4 && std::string_view(bytes, 4) == midi_file_layout::kHeaderChunkId,
                    got > 0 && static_cast<std::uint8_t>(bytes[0]) == m1_sysex_layout::kStartOfExclusive};
}

// Texts that are plain ASCII read the same in UTF-8: they are moved, not
// converted.
std::string Utf8Of(std::string&& text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::move(text);
  return Cp1251ToUtf8(text);
}

std::vector<LibraryPatch> LibraryPatchesOf(std::vector<PatchEntry>& entries) {
  std::vector<LibraryPatch> patches;
  patches.reserve(entries.size());
  for (PatchEntry& e : entries)
    patches.push_back({e.kindLetter(), Utf8Of(std::move(e.bank)), static_cast<int>(e.number), Utf8Of(std::move(e.key)),
                       Utf8Of(std::move(e.name)), e.size, e.hash, e.soundHash});
  return patches;
}

// The combination timbres, set list slots or song tracks of the file that
// play a program; a file that cannot be listed has none.
std::vector<LibraryUse> UsesOf(const Registry& registry, int index) {
  const Image image = registry.image(index);
  const ModelConstants model = ModelConstantsFor(registry.model(index));
  Result<std::vector<ProgramUse>> uses = registry.kind(index) == FileKind::Sng
                                             ? SongsUsing(image, model, kEveryProgram, registry.name(index))
                                             : PcgUsesOf(image, model, kEveryProgram);
  std::vector<LibraryUse> stored;
  if (!uses) return stored;
  stored.reserve(uses->size());
  for (ProgramUse& use : *uses)
    stored.push_back({Utf8Of(std::move(use.program)), std::string(UseKindText(use.kind)), Utf8Of(std::move(use.key)),
                      std::move(use.part), Utf8Of(std::move(use.name)), {}});
  return stored;
}

FileForLibrary Refused(std::string why) { return {.outcome = FileForLibrary::Outcome::Refused, .why = std::move(why)}; }
FileForLibrary Failed(std::string why) { return {.outcome = FileForLibrary::Outcome::Failed, .why = std::move(why)}; }

// The identity of a file read whole, unless it changed while it was read;
// Unchanged when the library holds the file as it is.
FileForLibrary Identified(const std::string& path, const FileStamp& stamp, Image image, std::string model,
                          std::string version, const KnownFiles& known) {
  if (StampOf(path) != stamp) return Failed("changed while it was read");
  const Result<Sha256Digest> sha256 = Sha256Of(image);
  if (!sha256) return Failed(sha256.failure().text);
  FileForLibrary facts{.outcome = FileForLibrary::Outcome::Ready,
                       .bytes = static_cast<std::int64_t>(image.size()),
                       .identity = {path, stamp.size, stamp.modified, Sha256Hex(*sha256), std::move(model),
                                    std::move(version)}};
  if (const auto stored = known.find(path); stored != known.end() && SameIdentity(stored->second, facts.identity))
    facts.outcome = FileForLibrary::Outcome::Unchanged;
  return facts;
}

// The facts of a file that begins as a PCG or SNG does.
FileForLibrary LoadForLibrary(const std::string& path, const FileStamp& stamp, const KnownFiles& known) {
  Workspace workspace;
  const LoadResult opened = workspace.openFile(path);
  if (!opened) return Refused(opened.failure().text);
  const int loaded = opened->index;
  const Registry& registry = workspace.registry();
  const Image image = registry.image(loaded);
  FileForLibrary facts = Identified(path, stamp, image, std::string(ModelText(registry.model(loaded))),
                                    HexText(ReadClippedBytes(image, kFileVersion, kFileVersionWidth)), known);
  if (facts.outcome != FileForLibrary::Outcome::Ready) return facts;
  Result<std::vector<PatchEntry>> walked = WalkPatches(registry, loaded);
  if (!walked) return Refused(walked.failure().text);
  facts.patches = LibraryPatchesOf(*walked);
  facts.uses = UsesOf(registry, loaded);
  OrderUsesForStoring(facts.uses);
  return facts;
}

// The SysEx messages of a file: a MIDI file's taken out of its events (or
// why they cannot be), any other file's as they lie in it.
Result<ByteBuffer> MessagesOf(ByteBuffer file, bool midiFile) {
  if (!midiFile) return file;
  Result<ByteBuffer> messages = SysexOfMidiFile(file.bytes());
  if (!messages) return Failure{"MIDI file: " + messages.failure().text};
  return messages;
}

// The facts of a file that may hold M1 dumps: their programs and
// combinations are its patches. One that holds none is passed over, unless
// the library holds it from before: it then holds it without patches. A
// file that begins as a MIDI file does but cannot be read as one is refused.
FileForLibrary SysexForLibrary(const std::string& path, const FileHeader& header, const KnownFiles& known) {
  ReadResult read = ReadWholeFile(path);
  if (!read) return Failed(read.failure().text);
  FileForLibrary facts =
      Identified(path, header.stamp, read->bytes(), "M1", header.midiFile ? "MIDI file" : "SysEx", known);
  if (facts.outcome != FileForLibrary::Outcome::Ready) return facts;
  const Result<ByteBuffer> messages = MessagesOf(std::move(*read), header.midiFile);
  if (!messages) return Refused(messages.failure().text);
  facts.patches = M1PatchesOf(messages->bytes());
  const bool passedOver = facts.patches.empty() && !known.contains(path);
  facts.outcome = passedOver ? FileForLibrary::Outcome::PassedOver : FileForLibrary::Outcome::Ready;
  return facts;
}

// Files named as SysEx or MIDI files are looked into whatever they begin
// with, as Open As SysEx finds messages anywhere in a file.
bool NamedAsSysex(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".syx" || extension == ".mid" || extension == ".midi";
}

}  // namespace

bool SameIdentity(const LibraryFile& a, const LibraryFile& b) {
  return a.size == b.size && a.modified == b.modified && a.sha256 == b.sha256;
}

FileForLibrary ReadFileForLibrary(const std::string& path, const KnownFiles& known) {
  const Result<FileHeader> header = ReadHeader(path);
  const bool sysex = header && (header->midiFile || header->sysex || NamedAsSysex(path));
  FileForLibrary facts = !header        ? Failed(header.failure().text)
                         : header->korg ? LoadForLibrary(path, header->stamp, known)
                         : sysex        ? SysexForLibrary(path, *header, known)
                                        : FileForLibrary{.outcome = FileForLibrary::Outcome::PassedOver};
  facts.path = path;
  return facts;
}

}  // namespace patchlore
