// The MIDI file reader: the SysEx messages of any Standard MIDI File.
#include "formats/sysex_scan.hpp"
#include "formats/sysex_text.hpp"
#include "formats/midi_file.hpp"

using namespace patchlore;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Result<ByteBuffer> sysex = SysexOfMidiFile(Image(data, size));
  if (!sysex) return 0;
  const SysexScan scan(sysex->bytes());
  for (std::int64_t k = 0; k < scan.count(); ++k) (void)SysexText(scan.bytes(k));
  return 0;
}
