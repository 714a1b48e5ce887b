// Writes the seed corpora of the fuzz targets: small synthetic PCG, SNG,
// SysEx and MIDI files from the test builders, into <folder>/<target>/.
// Usage: patchlore-fuzz-seeds FOLDER
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "support/midi_file_builder.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/sysex_builder.hpp"

namespace fs = std::filesystem;
using patchlore::test::Bytes;
using patchlore::test::MidiFileBuilder;
using patchlore::test::PcgBuilder;
using patchlore::test::SngBuilder;
using patchlore::test::TrackPlan;

namespace {

void Write(const fs::path& folder, const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder / target);
  std::ofstream out(folder / target / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Small banks keep each seed a few KB: two patches of a short record each.
Bytes SmallPcg(std::uint8_t model) {
  return PcgBuilder(model)
      .programBank(0x00000000, 2, 96)
      .combiBank(0x00020000, 1, 128)
      .drumKitBank(0x00000000, 1, 64)
      .waveSequenceBank(0x00000000, 1, 64)
      .setLists(1, 32)
      .withIni()
      .build();
}

Bytes Songs() {
  TrackPlan piano;
  piano.name = "Piano";
  piano.program = 3;
  return SngBuilder().song("Verse", 1, 1).track(piano).build();
}

Bytes SysexFile() {
  Bytes file = patchlore::test::M1Message(0x4C, {0x01, 0x02, 0x03});
  const Bytes dump = patchlore::test::M1Message(0x40, Bytes(40, 0x11));
  file.insert(file.end(), dump.begin(), dump.end());
  file.push_back(0x7F);  // a stray byte between messages
  return file;
}

Bytes MidiFile() {
  return MidiFileBuilder(1)
      .track()
      .meta(0, 0x03, {'K', 'r'})
      .sysex(0, {0x42, 0x30, 0x68, 0x4C, 0xF7})
      .escape(10, {0xF0, 0x7E, 0xF7})
      .event(5, {0x90, 0x40, 0x64})
      .endOfTrack()
      .build();
}

// The compare target's input: two bytes with the length of A in units of 4,
// then A, then B.
Bytes Pair(const Bytes& a, const Bytes& b) {
  const std::size_t units = a.size() / 4;
  Bytes pair{static_cast<std::uint8_t>(units >> 8), static_cast<std::uint8_t>(units & 0xFF)};
  pair.insert(pair.end(), a.begin(), a.begin() + static_cast<std::ptrdiff_t>(units * 4));
  pair.insert(pair.end(), b.begin(), b.end());
  return pair;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: patchlore-fuzz-seeds FOLDER\n";
    return 2;
  }
  const fs::path folder = argv[1];
  const Bytes kronos = SmallPcg(patchlore::test::kKronos);
  const Bytes oasys = SmallPcg(patchlore::test::kOasys);
  const Bytes songs = Songs();
  const Bytes renamed = PcgBuilder().programBank(0x00000000, 2, 96).build();
  for (const std::string target : {"open_file", "image"}) {
    Write(folder, target, "kronos.pcg", kronos);
    Write(folder, target, "oasys.pcg", oasys);
    Write(folder, target, "songs.sng", songs);
  }
  Write(folder, "open_file", "messages.syx", SysexFile());
  Write(folder, "sysex", "messages.syx", SysexFile());
  Write(folder, "sysex", "kronos.pcg", renamed);
  Write(folder, "midi_file", "sysex.mid", MidiFile());
  for (const std::string target : {"library", "bank_edit"}) {
    const Bytes choices = target == "bank_edit" ? Bytes{0, 1, 0, 1, 0, 1, 0, 2, 0, 1, 'N', 'e', 'w', ' ', 'P', 'n'} : Bytes{};
    for (const auto& [name, file] : {std::pair{"kronos.pcg", &kronos}, std::pair{"oasys.pcg", &oasys}, std::pair{"songs.sng", &songs}}) {
      Bytes seed = choices;
      seed.insert(seed.end(), file->begin(), file->end());
      Write(folder, target, name, seed);
    }
  }
  Write(folder, "library", "m1.syx", patchlore::test::M1PatchDump(0x4C, patchlore::test::M1Names("Seed")));
  Write(folder, "compare", "kronos-oasys", Pair(kronos, oasys));
  Write(folder, "compare", "songs-small", Pair(songs, renamed));
  Write(folder, "compare", "small-kronos", Pair(renamed, kronos));
  return 0;
}
