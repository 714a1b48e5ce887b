#include "viewer/track_program.hpp"

#include "formats/program_keys.hpp"
#include "viewer/gm_names.hpp"

namespace patchlore {

TrackProgram ProgramOfTrack(const TrackFacts& track, const LinkedProgramNames& linked) {
  TrackProgram program;
  if (!track.parametersComplete || !track.mixer.programNumber || !track.mixer.programBank) {
    program.key = "missing ProgCode";
    return program;
  }
  const int bank = *track.mixer.programBank;
  program.key = TrackProgramKey(*track.mixer.programBank, *track.mixer.programNumber);
  if (IsGmBank(bank)) {
    program.gm = true;
    program.name = GmProgramName(bank, *track.mixer.programNumber + 1);
    program.nameText = Trim(NameText(program.name));
    return program;
  }
  if (!linked.linked) {
    program.nameText = "PCG not linked";
  } else if (const std::string* found = linked.names.find(program.key)) {
    program.name = *found;
    program.nameText = Trim(NameText(*found));
  } else {
    program.nameText = "not found in PCG";
  }
  return program;
}

}  // namespace patchlore
