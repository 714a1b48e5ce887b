// What uses a program: the combination timbres, set list slots and song
// tracks whose program reference is a given key.
//
//   a combination timbre whose status is not OFF and whose bank and program
//     bytes make the key (as the combination viewer writes it);
//   a set list slot of type Prog whose bank and number bytes make the key
//     (all 128 slots, the last one too, which the set list viewer does not list);
//   a song track whose status is not OFF and that plays the program (as the
//     song viewer writes it: GM programs are numbered from 1).
// Keys are compared without regard to letter case ("u-a012" finds "U-A012");
// kEveryProgram finds every use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/registry.hpp"
#include "common/bytes.hpp"
#include "common/result.hpp"
#include "formats/model_layout.hpp"

namespace patchlore {

enum class UseKind { Combination, SetList, Song };

struct ProgramUse {
  UseKind kind = UseKind::Combination;
  std::string key;   // of the combination "U-A000", the set list "007", the song "S001"
  std::string part;  // the timbre "T01", the slot "5" (from 0), the track "MT01"
  std::string name;  // of the combination, set list or song, trailing blanks removed
  std::string program;  // the key of the program used, as the viewers write it
};

// The key that matches every program: the uses of a whole file.
inline constexpr std::string_view kEveryProgram = "";

// "Combi", "SetList" or "Song".
std::string_view UseKindText(UseKind kind);
// "Combi: U-A000<TAB>T01<TAB>Strings Pad", "SetList: 000<TAB>5<TAB>Live",
// "Song: S001<TAB>MT03<TAB>Demo".
std::string UseLine(const ProgramUse& use);

// The combination timbres, then the set list slots, of a PCG image; the
// failure is the text the catalogue gives a PCG it cannot list.
Result<std::vector<ProgramUse>> PcgUsesOf(Image pcg, const ModelConstants& model, std::string_view key);
// The song tracks of an SNG image; the failure is the text the catalogue
// gives an SNG it cannot list.
Result<std::vector<ProgramUse>> SongsUsing(Image sng, const ModelConstants& model, std::string_view key,
                                           const std::string& fileNameForErrors);

// Every use of program key in the loaded PCG pcg (combinations, then set
// lists) and, when given, the loaded SNG sng (songs). A file of the wrong
// kind, or an SNG that cannot be listed, is the failure.
Result<std::vector<ProgramUse>> ProgramUsage(const Registry& registry, int pcg, std::optional<int> sng,
                                             std::string_view key);

}  // namespace patchlore
