#include "sysex/import_midi_file.hpp"

#include <filesystem>
#include <fstream>

#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "formats/midi_file.hpp"
#include "formats/midi_file_layout.hpp"

namespace patchlore {

Result<ByteBuffer> ReadMidiFileSysex(const std::string& path, const ReadProgress& progress) {
  const std::string name = Concat({"<", Utf8ToCp1251(NameOf(path)), ">"});
  const ReadResult read = ReadWholeFile(path, progress);
  if (!read && read.failure().problem == ReadProblem::TooLarge)
    return Failure{"ERROR: File too large " + name + " Bytes:" + std::to_string(read.failure().fileSize) +
                   "; at most " + std::to_string(kLargestLoadableFile) + " bytes can be loaded"};
  if (!read) return Failure{"ERROR: Cannot read " + name};
  Result<ByteBuffer> messages = SysexOfMidiFile(read->bytes());
  if (!messages) return Failure{"ERROR: MIDI file " + name + ": " + messages.failure().text};
  return messages;
}

bool BeginsAsMidiFile(const std::string& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  using midi_file_layout::kHeaderChunkId;
  char id[kHeaderChunkId.size()] = {};
  return file.read(id, sizeof id) && std::string_view(id, sizeof id) == kHeaderChunkId;
}

}  // namespace patchlore
