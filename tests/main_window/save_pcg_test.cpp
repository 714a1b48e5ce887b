// Save Pcg through fake dialogs: which rows are offered and written, and what
// a refused or failed save leaves on disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/fakes.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::TempDir;

class SavePcg : public ::testing::Test {
 protected:
  TempDir dir;
  test::MainWindowFixture f;
  std::string a = dir.write("A.PCG", test::SmallestPcg());
  std::string b = dir.write("B.PCG", test::PcgBuilder().programBank(0, 2).build());

  void SetUp() override {
    ASSERT_TRUE(f.open(a));
    ASSERT_TRUE(f.open(b));
  }
  std::string in(const std::string& name) const { return (dir.path() / name).string(); }
};

TEST_F(SavePcg, RowsAreOfferedInRowOrderAndACancelledOneIsSkipped) {
  f.dialogs.saveAnswers = {std::nullopt, in("OUT.PCG")};
  f.window.savePcg({1, 0});
  EXPECT_EQ(f.dialogs.saveProposals, (std::vector<std::string>{"A.PCG", "B.PCG"}));
  EXPECT_EQ(TempDir::read(in("OUT.PCG")), TempDir::read(b));
  EXPECT_EQ(f.window.state().actionMsg, "Saved <" + in("OUT.PCG") + ">");
  EXPECT_TRUE(f.dialogs.questions.empty());
}

TEST_F(SavePcg, AnsweringNoKeepsTheFileAndEndsTheCommand) {
  const auto old = dir.write("OLD.PCG", std::string("old contents"));
  f.dialogs.saveAnswers = {old, in("LATER.PCG")};
  f.dialogs.yesNoAnswer = false;
  f.window.savePcg({0, 1});
  EXPECT_EQ(f.dialogs.questions, std::vector<std::string>{"File exist!!! Do you really want to rewrite <OLD.PCG> ?"});
  EXPECT_EQ(TempDir::read(old), "old contents");
  EXPECT_EQ(f.dialogs.saveProposals.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(in("LATER.PCG")));
}

TEST_F(SavePcg, ARewrittenFileHoldsExactlyTheChangedImage) {
  const auto old = dir.write("OLD.PCG", std::string(f.window.registry().size(1) + 100, 'x'));
  test::Poke(f.workspace, 1, 40, f.window.registry().image(1)[40] ^ 0xFF);  // an edit in memory
  f.dialogs.saveAnswers = {old};
  f.dialogs.yesNoAnswer = true;
  f.window.savePcg({1});
  const auto image = f.window.registry().image(1);
  EXPECT_EQ(TempDir::read(old), std::string(image.begin(), image.end()));
}

TEST_F(SavePcg, AFailedSaveKeepsTheOldFileAndStillShowsAfterLaterSaves) {
  // A name so long that no temporary file can be made beside it.
  const auto old = dir.write(std::string(250, 'L'), std::string("old contents"));
  std::filesystem::create_directory(in("FOLDER.PCG"));
  const std::string missing = in("none/NEW.PCG");
  f.dialogs.yesNoAnswer = true;
  f.dialogs.saveAnswers = {in("FOLDER.PCG"), in("OUT.PCG")};
  const auto opened = static_cast<std::ptrdiff_t>(f.reporter.statuses.size());
  f.window.savePcg({0, 1});
  EXPECT_EQ(std::vector<std::string>(f.reporter.statuses.begin() + opened, f.reporter.statuses.end()),
            (std::vector<std::string>{
                                     "ERROR: Save failed. Cannot write " + in("FOLDER.PCG") + ": Is a directory",
                                     "Saved <" + in("OUT.PCG") + ">",
                                     "ERROR: Save failed. Cannot write " + in("FOLDER.PCG") + ": Is a directory"}));
  EXPECT_TRUE(std::filesystem::is_directory(in("FOLDER.PCG")));

  for (const std::string& target : {old, missing}) {
    f.dialogs.saveAnswers = {target};
    f.window.savePcg({1});
    EXPECT_EQ(f.window.state().actionMsg.rfind("ERROR: Save failed. Cannot create a file beside " + target, 0), 0u)
        << f.window.state().actionMsg;
  }
  EXPECT_EQ(TempDir::read(old), "old contents");
  EXPECT_FALSE(std::filesystem::exists(in("none")));
}

}  // namespace
}  // namespace patchlore
