// One line of text for one MIDI System Exclusive message ($F0 up to and with
// the next $F7): the framing, manufacturer, model, channel byte and function
// of a Korg M1 message, the memory bank of its All dumps, the name of a
// program or combination dump and a wrong dump length. Every problem is told
// in the text; error texts end in "*error".
#pragma once

#include <string>

#include "common/bytes.hpp"

namespace patchlore {

// Any length, 0 included; never reads outside the message.
std::string SysexText(Image message);

}  // namespace patchlore
