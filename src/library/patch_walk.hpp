// Every patch of a loaded PCG or SNG image, with what the library keeps of
// it: kind, bank, number, key, name, where its bytes lie and two hashes.
//
// Keys are written as the viewers write them:
//   programs, combinations, drum kits, wave sequences: bank name and
//     three-digit number, "U-A012" (a program bank is named by the bank
//     number of its type code, as programs are referred to);
//   set lists: the set list's three-digit number, "007", as the set list
//     viewer heads its rows (bank "SetList");
//   songs: "S" and the song's own number, "S001", as the song viewer labels
//     it (bank "Song"; "S???" when the number lies outside the image).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/registry.hpp"
#include "common/bytes.hpp"
#include "common/result.hpp"

namespace patchlore {

enum class PatchKind : char {
  Program = 'P',
  Combination = 'C',
  DrumKit = 'D',
  WaveSequence = 'W',
  SetList = 'T',
  Song = 'S',
  // The programs and combinations inside Korg M1 dumps (SysEx files).
  M1Program = 'M',
  M1Combination = 'N',
};

struct PatchEntry {
  PatchKind kind = PatchKind::Program;
  std::string bank;          // "U-A", "SetList", "Song"
  std::int64_t number = 0;   // from 0: in its bank, among the set lists, among the file's songs
  std::string key;           // "U-A012", "007", "S001"
  std::string name;          // trailing blanks removed; Windows-1251 bytes
  // What the catalogue lists the patch under: its bank chunk; for a set list
  // the "SLS1" chunk, for a song its own chunk.
  std::int64_t catalogueObject = 0;
  std::int64_t offset = 0;   // the patch's first byte in the image
  std::int64_t size = 0;     // its bytes that lie inside the image
  // A song's name lies inside its chunk, after the chunk's first part;
  // every other patch begins with its name.
  std::int64_t nameOffset = 0;  // from offset; -1 when the name does not lie in the patch
  std::uint64_t hash = 0;       // of every byte of the patch
  std::uint64_t soundHash = 0;  // of every byte but the 24 name bytes: the same sound under any name

  char kindLetter() const { return static_cast<char>(kind); }
};

// The patches of a PCG image (the set lists, programs of both engines,
// combinations, drum kits and wave sequences in file order, as the
// catalogue finds their banks) or the songs of an SNG image. A file the
// catalogue refuses gives its failure text; a file of another kind, too.
Result<std::vector<PatchEntry>> WalkPatches(Image image, FileKind kind, const std::string& fileNameForErrors);

// The patches of loaded file index.
Result<std::vector<PatchEntry>> WalkPatches(const Registry& registry, int index);

// The bytes of a patch (image must be the one walked).
Image PatchBytes(Image image, const PatchEntry& patch);

}  // namespace patchlore
