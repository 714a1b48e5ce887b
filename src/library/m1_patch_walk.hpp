// The programs and combinations inside the Korg M1 dumps among the SysEx
// messages of an image (a .syx file, or the messages taken out of a MIDI
// file), with what the library keeps of them.
//
// Their keys name the message and the patch as the SysEx viewer lists
// them: "3:07" is patch 07 under message 3, the messages numbered from 0 in
// file order. A single dump's patch is 00.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.hpp"
#include "library/library_store.hpp"

namespace patchlore {

// Kind 'M' (M1 Program) or 'N' (M1 Combination), bank the message's
// number, the name as the viewer shows it (a NUL as a blank), the record's
// size, the hash of the record and its sound hash: of the record without
// its 10 name bytes.
std::vector<LibraryPatch> M1PatchesOf(Image messages);

struct M1PatchPlace {
  std::size_t message = 0;
  std::size_t patch = 0;
  bool operator==(const M1PatchPlace&) const = default;
};

// The message and the patch of a key; nothing for a key of another form.
std::optional<M1PatchPlace> M1PatchPlaceOf(const std::string& key);

}  // namespace patchlore
