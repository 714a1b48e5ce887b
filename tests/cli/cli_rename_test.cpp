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

}  // namespace
}  // namespace patchlore
