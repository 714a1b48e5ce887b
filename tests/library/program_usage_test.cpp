// What uses a program: combination timbres (not those OFF), set list slots
// of type Prog and song tracks (not those OFF), on synthetic files.
#include <gtest/gtest.h>

#include "formats/set_list_layout.hpp"
#include "library/program_usage.hpp"
#include "support/combination_builder.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

constexpr int kBankUA = 0x11;
constexpr int kBankGm = 0x06;
constexpr int kStatusInt = 0x20;
constexpr int kStatusExt = 0x60;
constexpr int kStatusOff = 0x00;

test::TimbreBytes Plays(int bank, int program, int statusChannel) {
  test::TimbreBytes timbre;
  timbre.programBank = bank;
  timbre.programNumber = program;
  timbre.statusChannel = statusChannel;
  return timbre;
}

// Two combinations: T01 plays U-A012, T04 would but is OFF, T06 plays
// U-A013; the second's T16 plays U-A012 on EXT. Two set lists: slot 4 of the
// first and the last slot of the second are programs U-A012; slot 2 of the
// second names U-A012 but is a combination.
Bytes UsingPcg() {
  using namespace set_list_layout;
  return test::PcgBuilder()
      .setLists(2, 32)
      .combiBank(0, 2)
      .editPatches([](const test::BankPlan&, int j, Bytes& record) {
        test::ClearCombinationBody(record);
        if (j == 0) {
          test::PutTimbre(record, kKronosConstants, 0, Plays(kBankUA, 12, kStatusInt));
          test::PutTimbre(record, kKronosConstants, 3, Plays(kBankUA, 12, kStatusOff));
          test::PutTimbre(record, kKronosConstants, 5, Plays(kBankUA, 13, kStatusInt));
        } else {
          test::PutTimbre(record, kKronosConstants, 15, Plays(kBankUA, 12, kStatusExt));
        }
      })
      .editSlots([](int setList, int slot, Bytes& record) {
        const bool uses = (setList == 0 && slot == 4) || (setList == 1 && (slot == 127 || slot == 2));
        if (!uses) return;
        record[kSlotType] = slot == 2 ? 0x00 : 0x11;
        record[kSlotBank] = kBankUA;
        record[kSlotNumber] = 12;
      })
      .build();
}

test::TrackPlan Track(std::uint8_t bank, std::uint8_t program, std::uint8_t statusChannel) {
  test::TrackPlan track;
  track.bank = bank;
  track.program = program;
  track.statusChannel = statusChannel;
  return track;
}

// Song 1 plays U-A012 on MT01 and, OFF, on MT02; song 2 plays GM001.
Bytes UsingSng() {
  return test::SngBuilder()
      .song("Demo", 1)
      .track(Track(kBankUA, 12, kStatusInt))
      .track(Track(kBankUA, 12, kStatusOff))
      .song("Other", 2)
      .track(Track(kBankGm, 0, kStatusInt))
      .build();
}

std::string Lines(const Result<std::vector<ProgramUse>>& uses) {
  if (!uses) return "failure: " + uses.failure().text;
  std::string text;
  for (const ProgramUse& use : *uses) text += UseLine(use) + "\n";
  return text;
}

TEST(ProgramUsage, CombinationsSetListsAndSongsThatUseTheProgram) {
  Registry registry;
  const int pcg = test::AddToRegistry(registry, UsingPcg(), "/data/A.PCG");
  const int sng = test::AddToRegistry(registry, UsingSng(), "/data/S.SNG", "SNG KORG KRONOS");
  EXPECT_EQ(Lines(ProgramUsage(registry, pcg, sng, "U-A012")),
            "Combi: I-A000\tT01\tCombi I-A 000\n"
            "Combi: I-A001\tT16\tCombi I-A 001\n"
            "SetList: 000\t4\tSet List 0\n"
            "SetList: 001\t127\tSet List 1\n"
            "Song: S001\tMT01\tDemo\n");
  EXPECT_EQ(Lines(ProgramUsage(registry, pcg, std::nullopt, "u-a013")), "Combi: I-A000\tT06\tCombi I-A 000\n");
  EXPECT_EQ(Lines(ProgramUsage(registry, pcg, sng, "GM001")), "Song: S002\tMT01\tOther\n");
  EXPECT_EQ(Lines(ProgramUsage(registry, sng, std::nullopt, "U-A012")), "failure: S.SNG is not a PCG file");
}

}  // namespace
}  // namespace patchlore
