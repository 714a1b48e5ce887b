// What the indexer learns of one file before it is stored: whether it is a
// PCG or SNG at all (from its first bytes), what the loader makes of it, its
// identity, and its patches and program uses as the library keeps them.
// A file that begins as a SysEx message or a Standard MIDI File does, or is
// named .syx, .mid or .midi, is read whole instead: the programs and
// combinations of the M1 dumps among its messages are its patches (model
// "M1", version "SysEx" or "MIDI file"). Nothing here touches the library, so
// files can be read while others are stored.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "library/library_store.hpp"

namespace patchlore {

struct FileForLibrary {
  enum class Outcome {
    Ready,       // identity, patches and uses are there to be stored
    Unchanged,   // the same size, time and SHA-256 as the library holds
    PassedOver,  // does not begin as a PCG or SNG does (not loaded), and holds no M1 dump
    Refused,     // the loader, the patch walk or the MIDI file reader refused it: why, in the program's 8-bit text
    Failed,      // not read, or changed while read: why
  };
  Outcome outcome = Outcome::Failed;
  std::string path{};
  std::string why{};
  std::int64_t bytes = 0;  // loaded
  LibraryFile identity{};
  std::vector<LibraryPatch> patches{};
  std::vector<LibraryUse> uses{};
};

// The identities the library held, by path, when a run began.
using KnownFiles = std::unordered_map<std::string, LibraryFile>;

// Whether two identities name the same contents at the same time.
bool SameIdentity(const LibraryFile& a, const LibraryFile& b);

// The facts of the file at path (absolute); a file known with the same
// identity is not walked.
FileForLibrary ReadFileForLibrary(const std::string& path, const KnownFiles& known);

}  // namespace patchlore
