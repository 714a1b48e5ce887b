// The System Exclusive messages of a Standard MIDI File (format 0, 1 or 2).
//
// The tracks are read in file order and each track event by event (delta
// times, running status, meta events), so that only real SysEx events give
// messages, never bytes of other events that happen to look like them.
//
// - An F0 event starts a message: $F0 and the event's data. When the data do
//   not end in $F7, the F7 events that follow in the same track continue the
//   message until one ends in $F7; other events may come between the parts.
// - An F7 event with no message open is an escape: bytes to be sent as they
//   are. They are kept only when they begin with $F0 (a message written
//   whole, or begun, as an escape); other escapes (real-time or song
//   position bytes) are left out.
// - A message still open at the end of its track, or when the next F0 event
//   comes, makes the file damaged.
//
// Chunks of other kinds than "MTrk" are passed over by their length, and so
// is whatever follows a track's End of Track event; a track without one ends
// with its chunk. A file holding fewer tracks than its header announces was
// cut; more are read as well.
//
// The messages are put back to back in the order they come: track by track,
// in each track in event order. Scanning that image for SysEx messages finds
// them again; data holding an $F7 before their end split as a scan of a .syx
// file splits them.
#pragma once

#include "common/byte_buffer.hpp"
#include "common/bytes.hpp"
#include "common/result.hpp"

namespace patchlore {

// The messages, or why the file cannot be read: what is wrong and where
// (the track, numbered from 1, and the offset in the file). Never reads
// outside file.
Result<ByteBuffer> SysexOfMidiFile(Image file);

}  // namespace patchlore
