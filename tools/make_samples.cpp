// Writes the sample files a new user can open in every window: a KRONOS
// PCG and an OASYS PCG (programs, combinations that play them, drum kits,
// wave sequences and set lists), a SNG of two songs whose tracks play those
// programs, and a file of Korg M1 SysEx messages. KRONOS-EDITED.PCG is
// KRONOS.PCG with one program renamed and one changed, so that comparing
// the two shows something; the OASYS programs have sounds of their own, so
// that copying a bank of one PCG into the other changes it. Every file is
// synthetic, made by the test builders.
// Usage: patchlore-samples FOLDER
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "support/combination_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/sysex_builder.hpp"

namespace fs = std::filesystem;
using patchlore::test::Bytes;
using patchlore::test::PcgBuilder;

namespace {

constexpr std::array<const char*, 16> kProgramNames{
    "Concert Grand",  "Stage EP Tine", "Warm Analog Pad", "Glass Bells",   "Fat Saw Lead",  "Deep Sub Bass",
    "String Section", "Brass Stabs",   "Choir Aahs",      "Tonewheel B3",  "Nylon Guitar",  "Pluck Arp",
    "Vintage Clav",   "Flute Solo",    "Sweep Pad",       "Drum Kit Rock"};
constexpr std::array<const char*, 16> kOasysProgramNames{
    "Bright Grand",   "Wurly EP",       "Analog Strings", "Tubular Bells", "Square Lead", "Moog Bass",
    "Cello Ensemble", "Trumpet Section", "Vox Humana",    "Rock Organ",    "Steel Guitar", "Synth Pluck",
    "Harpsichord",    "Pan Flute",      "Noise Sweep",    "Drum Kit Jazz"};
constexpr std::array<const char*, 8> kCombinationNames{"Piano & Strings", "Split Bass/EP", "Pad Layer", "Brass & Choir",
                                                       "Arp Dreams",      "Organ Stack",   "Lead + Pad", "Full Band"};

void PutName(Bytes& record, const std::string& name) {
  std::fill_n(record.begin(), 24, 0);
  std::copy(name.begin(), name.end(), record.begin());
}

// Program j of I-A is named from the model's list; combination j plays
// programs j and j + 8 of I-A on its first two timbres.
PcgBuilder Instrument(std::uint8_t model, bool changed) {
  const bool oasys = model == patchlore::test::kOasys;
  const auto& constants = oasys ? patchlore::kOasysConstants : patchlore::kKronosConstants;
  const auto& programNames = oasys ? kOasysProgramNames : kProgramNames;
  auto edit = [&constants, &programNames, oasys, changed](const patchlore::test::BankPlan& bank, int j,
                                                          Bytes& record) {
    if (bank.id == "PBK1") {
      PutName(record, changed && j == 3 ? "Crystal Bells" : programNames[j]);
      if (oasys) record.back() ^= 0xA5;  // a sound of its own, not a renamed copy
      if (changed && j == 5) record[100] ^= 0x55;
    }
    if (bank.id == "CBK1") {
      patchlore::test::ClearCombinationBody(record);
      PutName(record, kCombinationNames[j]);
      patchlore::test::PutTimbre(record, constants, 0, {.programNumber = j});
      patchlore::test::PutTimbre(record, constants, 1, {.programNumber = j + 8, .pan = 32});
    }
  };
  return std::move(PcgBuilder(model)
                       .programBank(0x00000000, 16)
                       .combiBank(0x00020000, 8)
                       .drumKitBank(0x00000000, 4, 256)
                       .waveSequenceBank(0x00000000, 4, 256)
                       .setLists(1)
                       .editPatches(std::move(edit)));
}

Bytes Songs() {
  patchlore::test::SngBuilder songs;
  songs.song("Opening Night", 1);
  for (int k = 0; k < 4; ++k) songs.track({.name = std::string("Track ") + char('1' + k), .program = std::uint8_t(k)});
  songs.song("Encore", 2, 0x0002);
  for (int k = 0; k < 3; ++k) songs.track({.name = std::string("Part ") + char('A' + k), .program = std::uint8_t(8 + k)});
  return songs.build();
}

// A program dump, a combination dump and an All Program dump of an M1
// whose first programs are sounds of their own (two pads among them, for
// the library's search) and the rest "M1 Prog 08" to "M1 Prog 99".
Bytes M1Messages() {
  Bytes file = patchlore::test::M1Dump(0x40, patchlore::test::Pack7Bit("Sample Prg"), 170);
  const Bytes combination = patchlore::test::M1Dump(0x49, patchlore::test::Pack7Bit("Sample Cmb"), 148);
  std::vector<std::string> names = patchlore::test::M1Names("M1 Prog");
  const std::vector<std::string> sounds{"Piano 16'", "Choir Pad", "Fretless", "Brass Hits",
                                        "Glass Pad", "Organ 2", "Slap Bass", "Strings"};
  std::copy(sounds.begin(), sounds.end(), names.begin());
  const Bytes all = patchlore::test::M1PatchDump(0x4C, names);
  for (const Bytes* message : {&combination, &all}) file.insert(file.end(), message->begin(), message->end());
  return file;
}

bool Write(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: patchlore-samples FOLDER\n";
    return 2;
  }
  const fs::path folder = argv[1];
  std::error_code error;
  fs::create_directories(folder, error);
  bool written = Write(folder / "KRONOS.PCG", Instrument(patchlore::test::kKronos, false).build());
  written &= Write(folder / "KRONOS-EDITED.PCG", Instrument(patchlore::test::kKronos, true).build());
  written &= Write(folder / "OASYS.PCG", Instrument(patchlore::test::kOasys, false).build());
  written &= Write(folder / "SONGS.SNG", Songs());
  written &= Write(folder / "M1.SYX", M1Messages());
  if (!written) std::cerr << "patchlore-samples: could not write into " << folder << "\n";
  return written ? 0 : 1;
}
