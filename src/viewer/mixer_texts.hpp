// Cell texts that combination timbres and song tracks share: pan, channel,
// zones, and the Play/Mute filter of their rows.
#pragma once

#include <string>

#include "formats/mixer_record.hpp"

namespace patchlore {

class ShowFrame;

// "RND" for 0, "L001" to "L063", "C064", "R065" to "R127"; empty from 128 on.
std::string PanText(int pan);
// The MIDI channel of a status-and-channel byte: "01" to "16".
std::string ChannelText(int statusChannel);
// The high hexadecimal digit of a status-and-channel byte, the key of the
// status tables.
char StatusDigit(int statusChannel);
// "C4..G9": the note shown first, "..", the note shown second.
std::string NoteRangeText(int first, int second);
// "1..127": two values in decimal.
std::string ValueRangeText(int first, int second);

// The mixer cells; a field outside the image leaves only the prefix, which
// is written when prefixes (SW3) are on.
void AppendPan(std::string& out, const MixerFacts& mixer);
void AppendVolume(std::string& out, const MixerFacts& mixer, bool prefixes);       // "Vol:100"
void AppendTranspose(std::string& out, const MixerFacts& mixer, bool prefixes);    // "Tran:-12"
void AppendKeyZones(std::string& out, const MixerFacts& mixer, bool prefixes);     // "KZone:C-1..G9"
void AppendVelocityZones(std::string& out, const MixerFacts& mixer, bool prefixes);  // "VZone:1..127"

// The Play/Mute filter: with TPlay or TMute ticked, a row passes only when
// its state is a ticked one; with neither ticked every row passes.
bool KeepPlayState(const ShowFrame& frame, bool muted);

}  // namespace patchlore
