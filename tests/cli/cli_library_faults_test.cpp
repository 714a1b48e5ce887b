// The library when indexing is killed at random moments, and when the disk
// fills up: it opens, passes SQLite's integrity check, and keeps whole files.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "support/cli_runner.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

constexpr int kFiles = 12;
constexpr int kKills = 20;

class CliLibraryFaults : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::filesystem::path folder = dir.path() / "pcgs";

  void SetUp() override {
    std::filesystem::create_directories(folder);
    for (int k = 0; k < kFiles; ++k) {
      test::PcgBuilder builder;
      for (int bank = 0; bank < 4; ++bank) builder.programBank(static_cast<std::uint32_t>(0x20000 + bank), 128);
      builder.combiBank(static_cast<std::uint32_t>(k % 8), 128);
      dir.write("pcgs/P" + std::to_string(k) + ".PCG", builder.build());
    }
  }
  std::string library(const std::string& db) const {
    return std::string(PATCHLORE_CLI) + " library --db '" + (dir.path() / db).string() + "' ";
  }
  std::string everything(const std::string& db) const {
    return test::RunCommand(library(db) + "find ''").out + test::RunCommand(library(db) + "usage U-A000").out;
  }
  std::string integrity(const std::string& db) const {
    return test::RunCommand("sqlite3 '" + (dir.path() / db).string() + "' 'PRAGMA integrity_check'").out;
  }
};

TEST_F(CliLibraryFaults, KilledTwentyTimesTheLibraryStaysWholeAndARerunCompletesIt) {
  if (test::RunCommand("command -v sqlite3").status != 0) GTEST_SKIP() << "no sqlite3 shell";
  ASSERT_EQ(test::RunCommand(library("whole.sqlite") + "add '" + folder.string() + "'").status, 0);
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> milliseconds(0, 999);  // a whole run takes about a second
  for (int kill = 0; kill < kKills; ++kill) {
    const std::string command = library("killed.sqlite") + "add '" + folder.string() + "' >/dev/null 2>&1 & pid=$!; " +
                                "sleep 0." + std::to_string(1000 + milliseconds(random)).substr(1) + "; kill -9 $pid; wait $pid";
    test::RunCommand(command);
    EXPECT_EQ(integrity("killed.sqlite"), "ok\n") << "after kill " << kill;
    EXPECT_EQ(test::RunCommand(library("killed.sqlite") + "stats").status, 0) << "after kill " << kill;
  }
  ASSERT_EQ(test::RunCommand(library("killed.sqlite") + "add '" + folder.string() + "'").status, 0);
  EXPECT_EQ(everything("killed.sqlite"), everything("whole.sqlite"));
}

TEST_F(CliLibraryFaults, AFullDiskRollsTheFileBackAndSaysSo) {
  if (test::RunCommand("command -v sqlite3").status != 0) GTEST_SKIP() << "no sqlite3 shell";
  // Files may grow to 1 MB only; a write beyond fails instead of killing the process.
  const test::CliRun run = test::RunCommand("trap '' XFSZ; ulimit -f 1024; " + library("full.sqlite") + "add '" +
                                            folder.string() + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("Failed: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("not stored: "), std::string::npos) << run.out;
  EXPECT_EQ(integrity("full.sqlite"), "ok\n");
  const test::CliRun stats = test::RunCommand(library("full.sqlite") + "stats");
  EXPECT_EQ(stats.out.substr(0, 9), "Files: 1\n") << stats.out;  // the file stored before the disk was full
}

// Two runs that make the same library at once: one makes its tables, the
// other waits for it and finds them there.
TEST_F(CliLibraryFaults, TwoAddsOnANewLibraryAtOnceBothSucceedTwentyTimes) {
  if (test::RunCommand("command -v sqlite3").status != 0) GTEST_SKIP() << "no sqlite3 shell";
  for (int run = 0; run < kKills; ++run) {
    const std::string db = "together" + std::to_string(run) + ".sqlite";
    const std::string add = library(db) + "add '" + folder.string() + "'";
    const std::string out = "'" + (dir.path() / "out").string();
    // Both exit statuses, then every line but the files' own.
    const test::CliRun both = test::RunCommand(add + " >" + out + "1' 2>&1 & first=$!; " + add + " >" + out +
                                               "2' 2>&1; second=$?; wait $first; echo $? $second; cat " + out + "1' " +
                                               out + "2' | grep -v '^Indexed: \\|^Unchanged: '");
    EXPECT_EQ(both.out, "0 0\n") << "run " << run;
    EXPECT_EQ(integrity(db), "ok\n") << "run " << run;
  }
}

}  // namespace
}  // namespace patchlore
