// File ▸ Import SysEx from MIDI File...: the System Exclusive messages of a
// Standard MIDI File, taken out to become a registry entry as Open As SysEx
// would make one for a .syx file holding them.
#pragma once

#include <string>
#include <string_view>

#include "common/byte_buffer.hpp"
#include "common/file_io.hpp"
#include "common/result.hpp"

namespace patchlore {

constexpr std::string_view kMidiFileFilter = "MIDI files (*.mid;*.midi)|*.mid;*.midi|All files (*.*)|*.*";

// Reads the file (regular files only) and takes its messages out, back to
// back; or the ActionMsg text that says why not.
Result<ByteBuffer> ReadMidiFileSysex(const std::string& path, const ReadProgress& progress = {});

// Whether the file at path begins as a Standard MIDI File does ("MThd");
// false when it cannot be read.
bool BeginsAsMidiFile(const std::string& path);

}  // namespace patchlore
