// File ▸ Import SysEx from MIDI File...: the System Exclusive messages of a
// Standard MIDI File become a registry entry, as Open As SysEx would make one
// for a .syx file holding them, named by the MIDI file.
#pragma once

#include <string>
#include <string_view>

#include "app/main_window_core.hpp"
#include "common/byte_buffer.hpp"
#include "common/file_io.hpp"
#include "common/result.hpp"

namespace patchlore {

constexpr std::string_view kMidiFileFilter = "MIDI files (*.mid;*.midi)|*.mid;*.midi|All files (*.*)|*.*";

// Reads the file (regular files only) and takes its messages out, back to
// back; or the ActionMsg text that says why not.
Result<ByteBuffer> ReadMidiFileSysex(const std::string& path, const ReadProgress& progress = {});

// The command: asks for the file in the window's open dialog and loads it.
// The registry index added, or why none was (the text ActionMsg shows).
Result<int> ImportSysexFromMidiFile(MainWindowCore& window);

}  // namespace patchlore
