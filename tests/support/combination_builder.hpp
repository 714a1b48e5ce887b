// Timbres of synthetic combination records, written through the names of
// the combination layout (use from a PcgBuilder patch editor).
#pragma once

#include <cstdint>

#include "formats/model_layout.hpp"
#include "support/chunk_tree.hpp"

namespace patchlore::test {

// The bytes of one timbre the display reads; the defaults are a playing
// timbre on MIDI channel 1 with program I-A000 over the whole keyboard.
struct TimbreBytes {
  int programNumber = 0;
  int programBank = 0x00;    // I-A
  int statusChannel = 0x20;  // INT, channel 1
  int volume = 127;
  int transpose = 0;         // written as a signed byte
  int pan = 64;
  int playMute = 0x00;       // 0x80: muted
  int keyZoneLow = 0;
  int keyZoneHigh = 127;
  int velocityZoneLow = 1;
  int velocityZoneHigh = 127;
};

// Zeroes every byte after the combination's name.
void ClearCombinationBody(Bytes& record);
// Writes timbre t (0 to 15) of the combination record.
void PutTimbre(Bytes& record, const ModelConstants& model, int t, const TimbreBytes& timbre);

}  // namespace patchlore::test
