// The program a song track plays: its key and its name. Programs of the GM
// banks are numbered from 1 and named from the built-in table; the others
// are numbered from 0 and named by the linked PCG.
#pragma once

#include <string>

#include "formats/song_record.hpp"
#include "viewer/linked_names.hpp"

namespace patchlore {

struct TrackProgram {
  std::string key;       // "I-A005", "GM001" or "missing ProgCode"
  std::string name;      // the name the name filter sees; empty when unknown
  std::string nameText;  // the P.Name cell
  bool gm = false;       // a program of a GM bank
};

// Where the names of the programs outside the GM banks come from.
struct LinkedProgramNames {
  const LinkedNames& names;
  bool linked;  // a PCG is linked
};

// A track whose parameters reach past the end of the image plays
// "missing ProgCode", without a name.
TrackProgram ProgramOfTrack(const TrackFacts& track, const LinkedProgramNames& linked);

}  // namespace patchlore
