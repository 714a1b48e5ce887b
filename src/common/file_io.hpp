// Reading files whole and writing them safely.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/byte_buffer.hpp"
#include "common/result.hpp"

namespace patchlore {

// No instrument file comes near this; larger files are refused unread.
constexpr std::int64_t kLargestLoadableFile = 2147483647;

// Why a file was not read.
enum class ReadProblem {
  CannotOpen,  // missing, no permission, or not a regular file (a folder, a pipe, a device)
  TooLarge,    // refused before reading: over kLargestLoadableFile
  ReadError,   // opened and sized, but reading failed part-way
};

struct ReadFailure {
  ReadProblem problem = ReadProblem::CannotOpen;
  std::int64_t fileSize = 0;  // the size found by seeking to the end; 0 when not opened
  // What went wrong, as the command-line tool says it: "cannot read PATH: "
  // and why, in the system's words ("No such file or directory", "Is a
  // directory", "Permission denied") or "not a regular file".
  std::string text;

  // The file was opened (and so closed again), whatever happened next.
  bool opened() const { return problem != ReadProblem::CannotOpen; }
};

using ReadResult = Result<ByteBuffer, ReadFailure>;

// Reads are made in blocks of this size; progress is told before each block.
constexpr std::int64_t kReadBlock = 1024000;

// Called before each block with the bytes read so far (a multiple of
// kReadBlock) and the file size.
using ReadProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// The file at path can be opened for reading and is a regular file; else
// the failure text ReadWholeFile would give. Nothing is read.
Status CheckReadable(const std::string& path);

// Opens the file, finds its size by seeking to its end and reads it whole
// into one buffer. A file that shrinks while it is read gives the bytes that
// were there; a file that cannot be opened (a folder, say) or whose reading
// fails gives a ReadFailure, never a part of the file taken for the whole.
ReadResult ReadWholeFile(const std::string& path, const ReadProgress& progress = {});

// Faults the safe writer can be made to meet, so that tests can show what a
// failed save leaves: the writing stops with "no space left" once
// failAfterBytes bytes are written, the flush fails, or the rename fails.
struct WriteFaults {
  std::optional<std::int64_t> failAfterBytes;
  bool failFlush = false;
  bool failRename = false;
};

// The faults of every safe write on this thread while it lives.
class ScopedWriteFaults {
 public:
  explicit ScopedWriteFaults(WriteFaults faults);
  ~ScopedWriteFaults();
  ScopedWriteFaults(const ScopedWriteFaults&) = delete;
  ScopedWriteFaults& operator=(const ScopedWriteFaults&) = delete;

 private:
  WriteFaults faults_;
  const WriteFaults* previous_;
};

// A save may replace what path names only when nothing is there or a
// regular file is: a folder, a device node or a pipe is refused ("Cannot
// write PATH: not a regular file", or "Is a directory").
Status CheckSaveTarget(const std::string& path);

// Writes to a temporary file beside path and renames it over path only after
// everything was written and flushed, so a failed save leaves the old file
// as it was. A target CheckSaveTarget refuses is left alone.
Status WriteFileSafely(const std::string& path, const char* data,
                       std::size_t size);

// Lines each ended by carriage return and line feed, written byte for byte.
Status WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// The name with its extension (from the last "." of the name part) replaced.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
std::string ExtractFileExt(const std::string& path);

}  // namespace patchlore
