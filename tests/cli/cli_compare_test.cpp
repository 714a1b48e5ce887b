// End-to-end runs of "patchlore-cli compare".
#include <gtest/gtest.h>

#include "support/cli_runner.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

test::CliRun RunCompare(const std::string& arguments) {
  return test::RunCommand(std::string(PATCHLORE_CLI) + " compare " + arguments);
}

TEST(CliCompare, PrintsTheWindowRowsOrASummaryAndExitsByTheComparedBytes) {
  test::TempDir dir;
  const std::string a = "'" + dir.write("A.PCG", test::Bytes{1, 2, 3, 4}) + "'";
  const std::string b = "'" + dir.write("B.PCG", test::Bytes{1, 9, 3, 7, 5}) + "'";
  test::CliRun run = RunCompare(a + " " + b);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Row: 1: A.PCG\t\t\tBytes:4\t\n"
            "Row: 2: B.PCG\t\t\t\tBytes:5\n"
            "Row: \t1: not EQ\t00000001\t02\t09\n"
            "Row: \t2: not EQ\t00000003\t04\t07\n"
            "Msg: Lines: 4; notEQ:2\n"
            "Lengths: 4 and 5 bytes differ: only the first 4 were compared\n");
  run = RunCompare("--summary " + a + " " + b);
  EXPECT_EQ(run.out,
            "Files: 1: A.PCG\tBytes:4\t2: B.PCG\tBytes:5\n"
            "Compared: 4; notEQ:2\n"
            "First: 00000001; Last: 00000003\n"
            "Lengths: 4 and 5 bytes differ: only the first 4 were compared\n");
  run = RunCompare(a + " " + a);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Row: 1: A.PCG\t\t\tBytes:4\t\nRow: 2: A.PCG\t\t\t\tBytes:4\n");
}

// A file cut short is not the same file, though every byte it has agrees.
TEST(CliCompare, DifferentLengthsAloneAreADifference) {
  test::TempDir dir;
  const std::string a = "'" + dir.write("A.PCG", test::Bytes{1, 2, 3, 4}) + "'";
  const std::string b = "'" + dir.write("B.PCG", test::Bytes{1, 2}) + "'";
  const test::CliRun run = RunCompare("--summary " + a + " " + b);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Files: 1: A.PCG\tBytes:4\t2: B.PCG\tBytes:2\n"
            "Compared: 2; notEQ:0\n"
            "Lengths: 4 and 2 bytes differ: only the first 2 were compared\n");
}

TEST(CliCompare, AFileThatCannotBeReadIsNamedWithTheReason) {
  test::TempDir dir;
  const std::string missing = (dir.path() / "GONE.PCG").string();
  const test::CliRun run = RunCompare("'" + missing + "' '" + dir.path().string() + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "patchlore-cli: cannot read " + missing + ": No such file or directory\n"
                     "patchlore-cli: cannot read " + dir.path().string() + ": Is a directory\n");
}

}  // namespace
}  // namespace patchlore
