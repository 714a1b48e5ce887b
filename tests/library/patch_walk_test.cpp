// The patch walk on synthetic PCG and SNG images: keys, names, sizes and
// the two hashes.
#include <gtest/gtest.h>

#include <string_view>

#include "library/patch_walk.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

std::string Listing(const std::vector<PatchEntry>& patches) {
  std::string text;
  for (const PatchEntry& p : patches)
    text += std::string(1, p.kindLetter()) + "\t" + p.bank + "\t" + std::to_string(p.number) + "\t" + p.key + "\t" +
            p.name + "\t" + std::to_string(p.size) + "\n";
  return text;
}

// For each patch of b against the same one of a: does each hash stay?
std::string HashChanges(const std::vector<PatchEntry>& a, const std::vector<PatchEntry>& b) {
  std::string text;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    text += b[i].key + (a[i].hash == b[i].hash ? " same" : " differs") +
            (a[i].soundHash == b[i].soundHash ? " sound same\n" : " sound differs\n");
  return text;
}

test::PcgBuilder EveryKind() {
  test::PcgBuilder builder;
  builder.setLists(2, 32)
      .programBank(0x20000, 2, 100)
      .programBank(0x8000, 1, 100, "MBK1")
      .combiBank(0, 1, 200)
      .drumKitBank(0x20001, 1, 60)
      .waveSequenceBank(0, 1, 50);
  return builder;
}

TEST(PatchWalk, EveryPatchOfAPcgWithItsKeyNameAndSize) {
  const Bytes image = EveryKind().build();
  const auto patches = WalkPatches(image, FileKind::Pcg, "A.PCG");
  ASSERT_TRUE(patches.ok());
  EXPECT_EQ(Listing(*patches),
            "T\tSetList\t0\t000\tSet List 0\t4120\n"
            "T\tSetList\t1\t001\tSet List 1\t4120\n"
            "P\tU-A\t0\tU-A000\tProg U-A 000\t100\n"
            "P\tU-A\t1\tU-A001\tProg U-A 001\t100\n"
            "P\tI-F\t0\tI-F000\tProg I-F 000\t100\n"
            "C\tI-A\t0\tI-A000\tCombi I-A 000\t200\n"
            "D\tU-B\t0\tU-B000\tKit U-B 000\t60\n"
            "W\tI-A\t0\tI-A000\tWSeq I-A 000\t50\n");
  for (const PatchEntry& p : *patches) {
    const Image bytes = PatchBytes(image, p);
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(bytes.data()), p.name.size()), p.name) << p.key;
  }
  EXPECT_EQ(WalkPatches(image, FileKind::SysEx, "A.PCG").failure().text, "A.PCG is not a PCG or SNG file");
}

TEST(PatchWalk, TheSoundHashIgnoresTheNameAndTheWholeHashDoesNot) {
  const Bytes before = EveryKind().build();
  const Bytes after = EveryKind()
                          .editPatches([](const test::BankPlan& bank, int j, Bytes& record) {
                            if (bank.id == "PBK1" && j == 1) record[3] = 'X';   // the name
                            if (bank.id == "MBK1") record[60] ^= 1;             // the sound
                          })
                          .editSlots([](int setList, int slot, Bytes& record) {
                            if (setList == 1 && slot == 5) record[30] ^= 1;
                          })
                          .build();
  EXPECT_EQ(HashChanges(*WalkPatches(before, FileKind::Pcg, "A"), *WalkPatches(after, FileKind::Pcg, "B")),
            "000 same sound same\n"
            "001 differs sound differs\n"
            "U-A000 same sound same\n"
            "U-A001 differs sound same\n"
            "I-F000 differs sound differs\n"
            "I-A000 same sound same\n"
            "U-B000 same sound same\n"
            "I-A000 same sound same\n");
}

TEST(PatchWalk, SongsAreKeyedByTheirNumberAndTheirNameLiesInsideTheirChunk) {
  const auto build = [](const std::string& firstName) {
    return test::SngBuilder().song(firstName, 1).song("Ballad", 7).build();
  };
  const Bytes demo = build("Demo");
  const auto songs = WalkPatches(demo, FileKind::Sng, "S.SNG");
  ASSERT_TRUE(songs.ok());
  ASSERT_EQ(songs->size(), 2u);
  EXPECT_EQ(std::string(1, (*songs)[0].kindLetter()) + (*songs)[0].bank + (*songs)[0].key + (*songs)[0].name +
                (*songs)[1].key + (*songs)[1].name,
            "SSongS001DemoS007Ballad");
  const Image bytes = PatchBytes(demo, (*songs)[0]);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(bytes.data()) + (*songs)[0].nameOffset, 4), "Demo");
  EXPECT_EQ(HashChanges(*songs, *WalkPatches(build("Intro"), FileKind::Sng, "S.SNG")),
            "S001 differs sound same\nS007 same sound same\n");
  EXPECT_EQ(WalkPatches(Bytes(64, 0), FileKind::Sng, "S.SNG").failure().text, "Format ERROR  : SNG1 missing S.SNG");
}

}  // namespace
}  // namespace patchlore
