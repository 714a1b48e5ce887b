// copy-bank and move: the bank manager's Write and Move run from the command line.
#include <gtest/gtest.h>

#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/checksums.hpp"
#include "formats/chunks.hpp"
#include "support/cli_runner.hpp"

#include <sys/stat.h>

#include <filesystem>
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::PcgBuilder;
using test::TempDir;

class CliBank : public ::testing::Test {
 protected:
  TempDir dir;
  test::Bytes pcg = PcgBuilder().programBank(0, 2, 40).programBank(1, 2, 40).combiBank(0, 2, 40).build();
  std::string in = dir.write("IN.PCG", pcg);
  std::string out = (dir.path() / "OUT.PCG").string();

  test::CliRun run(const std::string& arguments) const {
    return test::RunCommand(std::string(PATCHLORE_CLI) + " " + arguments + " -o '" + out + "'");
  }
  std::int64_t bank(const test::Bytes& image, int line) const {
    return BankRun(Image(image), FindChunk("PRG1", Image(image)), BankRunKind::Programs).at(line);
  }
};

TEST_F(CliBank, CopyBankWritesTheChangedFileAndLeavesTheInput) {
  const auto result = run("copy-bank '" + in + "' 0 '" + in + "' 1");
  ASSERT_EQ(result.status, 0) << result.out;
  const std::string written = TempDir::read(out);
  const test::Bytes image(written.begin(), written.end());
  ASSERT_EQ(image.size(), pcg.size());
  const std::int64_t to = bank(image, 1);
  const std::string sum = HexPad(CheckBytes(Image(image), to), 2);
  EXPECT_NE(result.out.find("; 0-->1; checkSum=" + sum + "; checkBytes :" + sum + "\nMoveSize: patchSize=28 (hex); 40 (dec)\n"),
            std::string::npos) << result.out;
  EXPECT_EQ(image[to + bank_layout::kChecksum], CheckBytes(Image(image), to));
  EXPECT_EQ(TempDir::read(in), std::string(pcg.begin(), pcg.end()));
}

TEST_F(CliBank, MovePrintsItsTextsAndARefusedCopyWritesNothing) {
  const auto moved = run("move '" + in + "' 0 1 '" + in + "' 1 0 --offset 0 --length 24");
  ASSERT_EQ(moved.status, 0) << moved.out;
  const std::string written = TempDir::read(out);
  const test::Bytes image(written.begin(), written.end());
  EXPECT_EQ(moved.out, "MoveSize: MoveSize; n=00; k=17\nMoveINI2: i2=FFFFFFFF; j2=00; checkSum=" +
                           HexPad(image[bank(image, 1) + bank_layout::kChecksum], 2) + "\n");
  std::filesystem::remove(out);
  const auto refused = run("copy-bank '" + in + "' 0 '" + in + "' 2");
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "patchlore-cli: Write refused: a Prog bank cannot be written into a Combi bank\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

// Write, Move and a rename, one after the other on a file with INI2, give a
// file whose every checksum and INI2 copy verify reports as right.
TEST(CliBankChain, WriteMoveAndRenameLeaveAFileThatVerifies) {
  TempDir dir;
  const test::Bytes pcg =
      PcgBuilder().programBank(0, 3, 300).programBank(1, 3, 300, "MBK1").combiBank(0, 2, 400).combiBank(1, 2, 400)
          .withIni().build();
  const std::string cli = std::string(PATCHLORE_CLI) + " ";
  const std::string a = dir.write("A.PCG", pcg);
  const std::string b = (dir.path() / "B.PCG").string();
  const std::string c = (dir.path() / "C.PCG").string();
  const std::string d = (dir.path() / "D.PCG").string();
  ASSERT_EQ(test::RunCommand(cli + "copy-bank '" + a + "' 1 '" + a + "' 0 -o '" + b + "'").status, 0);
  ASSERT_EQ(test::RunCommand(cli + "move '" + b + "' 2 0 '" + b + "' 3 1 --offset 24 --length 100 -o '" + c + "'").status, 0);
  ASSERT_EQ(test::RunCommand(cli + "rename '" + c + "' 3 1 'Renamed' -o '" + d + "'").status, 0);
  const auto verified = test::RunCommand(cli + "verify '" + d + "'");
  EXPECT_EQ(verified.status, 0) << verified.out;
  EXPECT_EQ(verified.out.find("MISMATCH"), std::string::npos) << verified.out;
  EXPECT_EQ(TempDir::read(d).size(), pcg.size());
}

// -o replaces a regular file or makes one; a device node, a folder or a
// pipe is refused before anything is done, and stays what it was.
TEST_F(CliBank, AnOutputThatIsNotARegularFileIsRefused) {
  const std::string pipe = (dir.path() / "PIPE").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string copy = "copy-bank '" + in + "' 0 '" + in + "' 1 -o ";
  for (const std::string& target : {std::string("/dev/null"), pipe, dir.path().string()}) {
    const test::CliRun run = test::RunCommand(std::string(PATCHLORE_CLI) + " " + copy + "'" + target + "'");
    EXPECT_EQ(run.status, 2) << target;
    const std::string why = target == dir.path().string() ? "Is a directory" : "not a regular file";
    EXPECT_EQ(run.out, "patchlore-cli: Cannot write " + target + ": " + why + "\n");
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

// Write and Move sign the bank anew; a checksum that was wrong before is
// said, for the bank may be damaged.
TEST_F(CliBank, EditingABankWhoseChecksumWasWrongWarns) {
  test::Bytes damaged = pcg;
  const std::int64_t to = bank(damaged, 1);
  damaged[static_cast<std::size_t>(to + bank_layout::kChecksum)] ^= 0xFF;
  const std::string path = dir.write("DAMAGED.PCG", damaged);
  const std::string stored = HexPad(damaged[static_cast<std::size_t>(to + bank_layout::kChecksum)], 2);
  const std::string warning = "patchlore-cli: warning: bank I-B at " + Hex8(to) +
                              " had a wrong checksum before this change (stored " + stored + ", sum " +
                              HexPad(CheckBytes(Image(damaged), to), 2) + "): the bank may be damaged\n";
  const auto copied = run("copy-bank '" + path + "' 0 '" + path + "' 1");
  EXPECT_EQ(copied.status, 0);
  EXPECT_TRUE(copied.out.ends_with("MoveSize: patchSize=28 (hex); 40 (dec)\n" + warning)) << copied.out;
  const auto moved = run("move '" + path + "' 0 0 '" + path + "' 1 1 --offset 0 --length 4");
  EXPECT_TRUE(moved.out.ends_with(warning)) << moved.out;
  EXPECT_EQ(run("copy-bank '" + in + "' 0 '" + in + "' 1").out.find("warning"), std::string::npos);
}

}  // namespace
}  // namespace patchlore
