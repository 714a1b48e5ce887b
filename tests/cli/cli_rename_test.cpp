// patchlore-cli rename: the name editor's Write saved to another file.
#include <gtest/gtest.h>

#include <filesystem>

#include "banks/bank_list.hpp"
#include "common/bytes.hpp"
#include "formats/checksums.hpp"
#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

TEST(CliRename, RenamesOnePatchIntoTheOutputFileOrRefuses) {
  const test::TempDir dir;
  const test::Bytes original = test::PcgBuilder().programBank(0, 2, 40).combiBank(0x20000, 2, 40).withIni().build();
  const std::string in = dir.write("A.PCG", original);
  const std::string out = (dir.path() / "B.PCG").string();
  const std::string command = std::string(PATCHLORE_CLI) + " rename '" + in + "' ";

  const test::CliRun run = test::RunCommand(command + "1 1 Pad -o '" + out + "'");
  const std::string written = test::TempDir::read(out);
  const Image image(reinterpret_cast<const std::uint8_t*>(written.data()), written.size());
  const std::int64_t bank = ListProgramAndCombinationBanks(image)[1].offset;
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "BankInfo: U-A001; U-A; 1; sumEdit=" + HexPad(CheckBytes(image, bank), 2) + "\n");
  EXPECT_EQ(BytesText(image, bank + 24 + 40, 24), "Pad" + std::string(21, '\0'));
  EXPECT_EQ(image[static_cast<std::size_t>(bank + 11)], CheckBytes(image, bank));
  EXPECT_EQ(written.size(), original.size());
  EXPECT_EQ(test::TempDir::read(in), std::string(original.begin(), original.end()));

  const std::string refused = (dir.path() / "C.PCG").string();
  const test::CliRun past = test::RunCommand(command + "1 2 Pad -o '" + refused + "'");
  EXPECT_EQ(past.status, 2);
  EXPECT_EQ(past.out, "The bank at " + Hex8(bank) + " has no patch 2\n");
  EXPECT_FALSE(std::filesystem::exists(refused));
}

// The name as typed reaches the name editor's check: a tab is refused and
// nothing is written; a long name is cut and BankInfo says so.
TEST(CliRename, ANameTheEditorRefusesWritesNothingAndACutNameIsSaid) {
  const test::TempDir dir;
  const std::string in = dir.write("A.PCG", test::PcgBuilder().programBank(0, 2, 40).build());
  const std::string out = (dir.path() / "B.PCG").string();
  const std::string command = std::string(PATCHLORE_CLI) + " rename '" + in + "' 0 1 ";
  const test::CliRun tab = test::RunCommand(command + "'A\tB' -o '" + out + "'");
  EXPECT_EQ(tab.status, 2);
  EXPECT_EQ(tab.out, "BankInfo: The name holds the control character U+0009: nothing written\n");
  EXPECT_FALSE(std::filesystem::exists(out));
  const test::CliRun cut = test::RunCommand(command + "'A name longer than its field' -o '" + out + "'");
  EXPECT_EQ(cut.status, 0);
  EXPECT_TRUE(cut.out.ends_with("; INI2 missing; name cut to 24 characters\n")) << cut.out;
  EXPECT_EQ(test::TempDir::read(out).find("A name longer than its fi"), std::string::npos);
  EXPECT_NE(test::TempDir::read(out).find("A name longer than its f"), std::string::npos);
}

TEST(CliRename, RenamingInABankWhoseChecksumWasWrongWarns) {
  const test::TempDir dir;
  test::Bytes damaged = test::PcgBuilder().programBank(0, 2, 40).build();
  const std::int64_t bank = ListProgramAndCombinationBanks(Image(damaged))[0].offset;
  damaged[static_cast<std::size_t>(bank + 11)] ^= 0xFF;
  const std::string in = dir.write("A.PCG", damaged);
  const std::string out = dir.path().string() + "/B.PCG";
  const test::CliRun run = test::RunCommand(std::string(PATCHLORE_CLI) + " rename '" + in + "' 0 1 Pad -o '" + out + "'");
  EXPECT_EQ(run.status, 0);
  const std::string warning = "patchlore-cli: warning: bank I-A at " + Hex8(bank) +
                              " had a wrong checksum before this change (stored " + HexPad(damaged[bank + 11], 2) +
                              ", sum " + HexPad(CheckBytes(Image(damaged), bank), 2) + "): the bank may be damaged\n";
  EXPECT_TRUE(run.out.ends_with(" (checksum was wrong); INI2 missing\n" + warning)) << run.out;
}

}  // namespace
}  // namespace patchlore
