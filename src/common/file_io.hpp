// Reading files whole and writing them safely.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/byte_buffer.hpp"

namespace patchlore {

// No instrument file comes near this; larger files are refused unread.
constexpr std::int64_t kLargestLoadableFile = 2147483647;

struct ReadResult {
  ByteBuffer bytes;            // the bytes actually read (empty on failure)
  bool opened = false;         // the file could be opened and sized
  bool tooLarge = false;       // refused before reading: over kLargestLoadableFile
  std::int64_t fileSize = 0;   // the size found by seeking to the end
};

// Reads are made in blocks of this size; progress is told before each block.
constexpr std::int64_t kReadBlock = 1024000;

// Called before each block with the bytes read so far (a multiple of
// kReadBlock) and the file size.
using ReadProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Opens the file, finds its size by seeking to its end and reads it whole
// into one buffer. A file that cannot be opened or read (a folder, say)
// yields no bytes.
ReadResult ReadWholeFile(const std::string& path, const ReadProgress& progress = {});

// Writes to a temporary file beside path and renames it over path only after
// everything was written and flushed, so a failed save leaves the old file
// as it was. Returns the error text, or nothing on success.
std::optional<std::string> WriteFileSafely(const std::string& path, const char* data,
                                           std::size_t size);

// Lines each ended by carriage return and line feed, written byte for byte.
std::optional<std::string> WriteTextLines(const std::string& path,
                                          const std::vector<std::string>& lines);

// The name with its extension (from the last "." of the name part) replaced.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
std::string ExtractFileExt(const std::string& path);

}  // namespace patchlore
