// patchlore-cli verify on built PCG files: whole outputs and exit codes.
#include <gtest/gtest.h>

#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"
#include "formats/chunks.hpp"
#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/sng_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

test::CliRun Verify(const std::string& path) {
  return test::RunCommand(std::string(PATCHLORE_CLI) + " verify '" + path + "'");
}

// Programs of 4960 bytes and combinations of 7810, a drum kit, a wave
// sequence and a set list bank.
test::PcgBuilder EveryBankKind() {
  return test::PcgBuilder()
      .programBank(0)
      .programBank(0x20000, 128, test::kProgramSize, "MBK1")
      .combiBank(0x20001)
      .drumKitBank(0, 2, 9000)
      .waveSequenceBank(0x20000, 2, 4800)
      .setLists(1);
}

class CliVerify : public ::testing::Test {
 protected:
  test::TempDir dir;
};

TEST_F(CliVerify, AGoodFileAgreesEverywhere) {
  const test::CliRun run = Verify(dir.write("GOOD.PCG", EveryBankKind().withIni().build()));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "SBK1 U-A at 000002D8: stored DB, sum DB, INI2 record missing: OK\n"
            "PBK1 I-A at 00011314: stored CD, sum CD, INI2 CD: OK\n"
            "MBK1 U-A at 000AC32C: stored 92, sum 92, INI2 92: OK\n"
            "CBK1 U-B at 00147350: stored 2D, sum 2D, INI2 2D: OK\n"
            "DBK1 I-A at 0023B474: stored 48, sum 48, INI2 48: OK\n"
            "WBK1 U-A at 0023FAE8: stored 91, sum 91, INI2 91: OK\n"
            "GLB1 Global at 00242080: stored 40, sum 40: OK\n");
}

TEST_F(CliVerify, ADamagedPatchByteIsAMismatch) {
  test::Bytes bytes = EveryBankKind().build();
  // Without INI2; a byte inside the second combination is changed.
  const auto combinations = FindChunk("CMB1", bytes) + kChunkHeaderSize + bank_layout::kHeaderSize;
  ++bytes[static_cast<std::size_t>(combinations + test::kCombinationSize + 100)];
  const test::CliRun run = Verify(dir.write("DAMAGED.PCG", bytes));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "SBK1 U-A at 000002D8: stored DB, sum DB, INI2 missing: OK\n"
            "PBK1 I-A at 00011314: stored CD, sum CD, INI2 missing: OK\n"
            "MBK1 U-A at 000AC32C: stored 92, sum 92, INI2 missing: OK\n"
            "CBK1 U-B at 00147350: stored 2D, sum 2E, INI2 missing: MISMATCH\n"
            "DBK1 I-A at 0023B474: stored 48, sum 48, INI2 missing: OK\n"
            "WBK1 U-A at 0023FAE8: stored 91, sum 91, INI2 missing: OK\n"
            "GLB1 Global at 00242080: stored 40, sum 40: OK\n");
}

TEST_F(CliVerify, AFileThatIsNotAPcgOrNotReadIsRefused) {
  const std::string sngPath = dir.write("S.SNG", test::SngBuilder().song("Intro", 1).build());
  const test::CliRun sng = Verify(sngPath);
  EXPECT_EQ(sng.status, 2);
  EXPECT_EQ(sng.out, "patchlore-cli: " + sngPath + ": not a PCG file (no KORG header and PCG1 chunk)\n");
  const test::CliRun folder = Verify(dir.path().string());
  EXPECT_EQ(folder.status, 2);
  EXPECT_EQ(folder.out, "patchlore-cli: cannot read " + dir.path().string() + ": Is a directory\n");
  const std::string missing = (dir.path() / "GONE.PCG").string();
  EXPECT_EQ(Verify(missing).out, "patchlore-cli: cannot read " + missing + ": No such file or directory\n");
}

// The first bytes of a PCG hold no bank to check: verify says why it
// refuses, rather than printing nothing and passing.
TEST_F(CliVerify, APcgCutShortIsRefused) {
  test::Bytes head = EveryBankKind().build();
  head.resize(100);
  const std::string path = dir.write("CUT.PCG", head);
  const test::CliRun run = Verify(path);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "patchlore-cli: " + path + ": ERROR: PCG uncorrect length. *** Offset=00000014 " +
                         HexText(BytesText(head, 20, 4)) + " *** Must be 00000064\n");
}

}  // namespace
}  // namespace patchlore
