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
            "Msg: Lines: 4; notEQ:2\n");
  run = RunCompare("--summary " + a + " " + b);
  EXPECT_EQ(run.out,
            "Files: 1: A.PCG\tBytes:4\t2: B.PCG\tBytes:5\n"
            "Compared: 4; notEQ:2\n"
            "First: 00000001; Last: 00000003\n");
  run = RunCompare(a + " " + a);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Row: 1: A.PCG\t\t\tBytes:4\t\nRow: 2: A.PCG\t\t\t\tBytes:4\n");
  EXPECT_EQ(RunCompare(a + " '" + dir.path().string() + "'").status, 2);  // a folder is not read
}

}  // namespace
}  // namespace patchlore
