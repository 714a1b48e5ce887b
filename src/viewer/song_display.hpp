// The song display. By song: one row per track of the songs named by the
// viewer's descriptor lines, with the track's channel, status, program and
// mixer settings. By program: one row per program those tracks play, with
// the songs that play it, as the last listing by song in this window found.
#pragma once

#include "viewer/display.hpp"

namespace patchlore {

class SongDisplay : public Display {
 public:
  void show(ShowFrame& frame) override;
};

}  // namespace patchlore
