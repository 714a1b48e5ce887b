#include "viewer/track_program.hpp"

#include "formats/banks.hpp"
#include "viewer/gm_names.hpp"

namespace patchlore {

namespace {

// Bank numbers of the GM bank, the variations g(1) to g(9) and the drums g(d).
constexpr int kFirstGmBank = 6;
constexpr int kLastGmBank = 16;

bool IsGmBank(int bank) { return bank >= kFirstGmBank && bank <= kLastGmBank; }

}  // namespace

TrackProgram ProgramOfTrack(const TrackFacts& track, const LinkedProgramNames& linked) {
  TrackProgram program;
  if (!track.parametersComplete || !track.mixer.programNumber || !track.mixer.programBank) {
    program.key = "missing ProgCode";
    return program;
  }
  const int bank = *track.mixer.programBank;
  const std::string bankName = BankNameOfNumber(HexPad(bank, 2));
  if (IsGmBank(bank)) {
    program.gm = true;
    program.key = bankName + ZeroPad(*track.mixer.programNumber + 1, 3);
    program.name = GmProgramName(bank, *track.mixer.programNumber + 1);
    program.nameText = Trim(program.name);
    return program;
  }
  program.key = bankName + ZeroPad(*track.mixer.programNumber, 3);
  if (!linked.linked) {
    program.nameText = "PCG not linked";
  } else if (const std::string* found = linked.names.find(program.key)) {
    program.name = *found;
    program.nameText = Trim(*found);
  } else {
    program.nameText = "not found in PCG";
  }
  return program;
}

}  // namespace patchlore
