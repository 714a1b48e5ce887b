#include "formats/midi_file.hpp"

#include <gtest/gtest.h>

#include "formats/sysex_scan.hpp"
#include "support/midi_file_builder.hpp"
#include "support/result_text.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::MidiFileBuilder;

Bytes MessagesOf(const Bytes& file) {
  const Result<ByteBuffer> messages = SysexOfMidiFile(file);
  EXPECT_TRUE(messages.ok()) << test::ResultText(messages);
  if (!messages) return {};
  return Bytes(messages->bytes().begin(), messages->bytes().end());
}

TEST(MidiFile, SysexEventsOfEveryTrackInOrder) {
  const Bytes format0 = MidiFileBuilder(0)
                            .track()
                            .meta(0, 0x51, {0x07, 0xA1, 0x20})
                            .event(0, {0x90, 0x3C, 0x64})
                            .event(10, {0x3E, 0x64})  // running status
                            .event(0, {0xC0, 0x05})   // one data byte
                            .sysex(0, {0x42, 0x30, 0x19, 0x21, 0xF7})
                            .event(5, {0x80, 0x3C, 0x00})
                            .sysex(200, {0x41, 0x10, 0xF7})
                            .endOfTrack()
                            .build();
  EXPECT_EQ(MessagesOf(format0), (Bytes{0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7, 0xF0, 0x41, 0x10, 0xF7}));

  // Bytes of a meta event or of a chunk of another kind are no messages.
  const Bytes format1 = MidiFileBuilder(1)
                            .track()
                            .meta(0, 0x01, {0xF0, 0x01, 0xF7})
                            .sysex(0, {0x01, 0xF7})
                            .endOfTrack()
                            .chunk("XFIH", {0xF0, 0x02, 0xF7})
                            .track()
                            .sysex(0, {0x03, 0xF7})
                            .sysex(0, {0x04, 0xF7})
                            .endOfTrack()
                            .build();
  EXPECT_EQ(MessagesOf(format1), (Bytes{0xF0, 0x01, 0xF7, 0xF0, 0x03, 0xF7, 0xF0, 0x04, 0xF7}));
  EXPECT_EQ(MessagesOf(MidiFileBuilder().track().event(0, {0x90, 0x3C, 0x64}).endOfTrack().build()), Bytes{});
}

TEST(MidiFile, ContinuationsAndEscapes) {
  const Bytes file = MidiFileBuilder(0)
                         .track()
                         .sysex(0, {0x43, 0x00})               // begun, not closed
                         .event(1, {0x90, 0x3C, 0x64})         // another event between its parts
                         .escape(1, {0x01, 0x02})              // continued
                         .escape(1, {0x03, 0xF7})              // closed
                         .escape(0, {0xF8, 0xFA})              // real-time bytes: left out
                         .escape(0, {0xF0, 0x44, 0xF7})        // a whole message as an escape
                         .escape(0, {0xF0, 0x45})              // a message begun as an escape
                         .escape(0, {0xF7})
                         .sysex(0, {0x46, 0xF7, 0xF0, 0x47, 0xF7})  // two messages in one event
                         .endOfTrack()
                         .build();
  const Bytes messages = MessagesOf(file);
  EXPECT_EQ(messages, (Bytes{0xF0, 0x43, 0x00, 0x01, 0x02, 0x03, 0xF7, 0xF0, 0x44, 0xF7, 0xF0, 0x45, 0xF7,
                             0xF0, 0x46, 0xF7, 0xF0, 0x47, 0xF7}));
  EXPECT_EQ(SysexScan(messages).count(), 5);
}

TEST(MidiFile, DamageIsToldWithWhatAndWhere) {
  // The header chunk takes 14 bytes; the first track's data start at 22
  // ($16), its first event's status at 23 ($17).
  const auto track = [] { return MidiFileBuilder(0).track(); };
  const Bytes whole = track().sysex(0, {0x41, 0xF7}).endOfTrack().build();
  Bytes format3 = whole;
  format3[9] = 3;
  Bytes shortHeader = whole;
  shortHeader[7] = 4;
  const Bytes cutTrack(whole.begin(), whole.end() - 3);
  Bytes cutChunkHeader = track().endOfTrack().build();
  cutChunkHeader.insert(cutChunkHeader.end(), {'M', 'T', 'r'});

  const struct {
    Bytes file;
    const char* text;
  } cases[] = {
      {Bytes(whole.begin() + 14, whole.end()), "Not a MIDI file: no header chunk \"MThd\" at offset $00000000"},
      {shortHeader, "The header chunk is 4 bytes long, at least 6 expected"},
      {format3, "Unknown MIDI file format 3 (0, 1 or 2 expected)"},
      {cutTrack, "The chunk at offset $0000000E is 9 bytes long, past the end of the file (bytes that follow: 6)"},
      {cutChunkHeader, "The file ends inside the chunk header at offset $0000001A (3 of 8 bytes)"},
      {track().event(0, {0xF0, 0x81, 0x81, 0x81, 0x81, 0x01}).build(),
       "Track 1 at offset $00000018: a variable-length number longer than 4 bytes"},
      {track().event(0, {0x90, 0x3C, 0x64}).endOfTrack().track().event(0, {0x3C, 0x00}).build(),
       "Track 2 at offset $00000027: running status with no status byte before it"},
      {track().event(0, {0x90, 0x3C, 0x64}).sysex(0, {0xF7}).event(0, {0x3C, 0x00}).build(),
       "Track 1 at offset $0000001F: running status with no status byte before it"},
      {track().event(0, {0xF4}).build(), "Track 1 at offset $00000017: the status byte $F4 cannot stand in a MIDI file"},
      {track().event(0, {0xF0, 0x05, 0x41}).build(),
       "Track 1 at offset $00000017: the event's 5 data bytes run past the end of the track (bytes left: 1)"},
      {track().event(0, {0x90, 0x3C, 0x64, 0x81}).build(),
       "Track 1 at offset $0000001A: the track ends inside an event"},
      {track().sysex(0, {0x41}).endOfTrack().build(),
       "Track 1 at offset $00000017: the SysEx message is never closed: the track ends first"},
      {track().sysex(0, {0x41}).sysex(0, {0x42, 0xF7}).build(),
       "Track 1 at offset $00000017: the SysEx message is not closed before the next one begins at offset $0000001B"},
      {MidiFileBuilder().announcedTracks(2).track().endOfTrack().build(),
       "The header announces 2 tracks, the file holds 1"},
  };
  for (const auto& damaged : cases) EXPECT_EQ(test::ResultText(SysexOfMidiFile(damaged.file)), damaged.text);
}

// Run under the sanitizer build, this catches any read outside the file.
TEST(MidiFile, EveryCutIsRefusedAndNoChangedByteLeadsOutside) {
  const Bytes file = MidiFileBuilder(1)
                         .track()
                         .event(0, {0x90, 0x3C, 0x64, 0x00, 0x3E, 0x64})
                         .sysex(300, {0x43, 0x00})
                         .escape(0, {0x01, 0xF7})
                         .meta(0, 0x03, {'A'})
                         .endOfTrack()
                         .track()
                         .sysex(0, {0x41, 0xF7})
                         .endOfTrack()
                         .build();
  for (std::size_t size = 0; size < file.size(); ++size)
    EXPECT_FALSE(SysexOfMidiFile(Image(file).first(size)).ok()) << size;
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (const std::uint8_t value : {0x00, 0x7F, 0x80, 0xF0, 0xF7, 0xFF}) {
      Bytes changed = file;
      changed[at] = value;
      const Result<ByteBuffer> messages = SysexOfMidiFile(changed);
      EXPECT_TRUE(messages ? messages->size() <= std::int64_t(file.size()) : !messages.failure().text.empty())
          << at << " " << int(value);
    }
  }
}

}  // namespace
}  // namespace patchlore
