// What changed between two synthetic PCGs, patch by patch.
#include <gtest/gtest.h>

#include "library/patch_diff.hpp"
#include "support/pcg_builder.hpp"

namespace patchlore {
namespace {

using test::Bytes;

test::PcgBuilder Programs(int kits) {
  test::PcgBuilder builder;
  builder.programBank(0x20000, 6, 100).drumKitBank(0, kits, 60);
  return builder;
}

std::string Lines(const PatchDiff& diff) {
  std::string text;
  for (const PatchDifference& difference : diff.differences) text += DifferenceLine(difference) + "\n";
  return text + SummaryLine(diff.summary) + "\n";
}

// B renames U-A001, changes U-A002, puts A's U-A005 into U-A003, drops the
// second drum kit and adds a wave sequence bank.
TEST(PatchDiff, RenamedMovedChangedAddedAndRemoved) {
  const Bytes a = Programs(2).build();
  const auto patchesA = WalkPatches(a, FileKind::Pcg, "A.PCG");
  const Image formerU005 = PatchBytes(a, (*patchesA)[5]);
  const Bytes b = Programs(1)
                      .waveSequenceBank(0, 1, 50)
                      .editPatches([&](const test::BankPlan& bank, int j, Bytes& record) {
                        if (bank.id != "PBK1") return;
                        if (j == 1) std::copy_n("Renamed     ", 12, record.begin());
                        if (j == 2) record[99] ^= 0xFF;
                        if (j == 3) record.assign(formerU005.begin(), formerU005.end());
                      })
                      .build();
  const auto patchesB = WalkPatches(b, FileKind::Pcg, "B.PCG");
  EXPECT_EQ(Lines(DiffPatches(a, *patchesA, b, *patchesB)),
            "Patch: renamed\tP\tU-A001\tU-A001\tProg U-A 001\tRenamed\n"
            "Patch: changed\tP\tU-A002\tU-A002\tProg U-A 002\tProg U-A 002\n"
            "Patch: moved\tP\tU-A005\tU-A003\tProg U-A 005\tProg U-A 005\n"
            "Patch: removed\tD\tI-A001\t\tKit I-A 001\t\n"
            "Patch: added\tW\t\tI-A000\t\tWSeq I-A 000\n"
            "Summary: same=4 renamed=1 changed=1 moved=1 added=1 removed=1\n");
  EXPECT_EQ(Lines(DiffPatches(a, *patchesA, a, *patchesA)),
            "Summary: same=8 renamed=0 changed=0 moved=0 added=0 removed=0\n");
}

// A NUL inside a name shows as a blank, yet the stored bytes decide: a name
// whose NUL became a blank is renamed.
TEST(PatchDiff, NamesShowAsTextWhileTheirStoredBytesAreCompared) {
  const auto named = [](const std::string& name) {
    return Programs(0)
        .editPatches([&](const test::BankPlan&, int j, Bytes& record) {
          if (j == 1) std::copy(name.begin(), name.end(), record.begin());
        })
        .build();
  };
  using namespace std::string_literals;
  const Bytes a = named("Pad\0A\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"s);
  const Bytes b = named("Pad A\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"s);
  const auto patchesA = WalkPatches(a, FileKind::Pcg, "A.PCG");
  const auto patchesB = WalkPatches(b, FileKind::Pcg, "B.PCG");
  EXPECT_EQ(Lines(DiffPatches(a, *patchesA, b, *patchesB)),
            "Patch: renamed\tP\tU-A001\tU-A001\tPad A\tPad A\n"
            "Summary: same=5 renamed=1 changed=0 moved=0 added=0 removed=0\n");
}

}  // namespace
}  // namespace patchlore
