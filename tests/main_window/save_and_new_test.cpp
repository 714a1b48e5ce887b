#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "support/result_text.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::TempDir;

class MainWindowCommands : public ::testing::Test {
 protected:
  TempDir dir;
  test::MainWindowFixture f;
};

TEST_F(MainWindowCommands, SaveWritesTheLogAsTxtWithCrLf) {
  const auto pcg = dir.write("A.PCG", test::SmallestPcg());
  (void)f.open(pcg);
  f.dialogs.saveAnswers.push_back((dir.path() / "log.TXT").string());
  f.window.saveLog();
  EXPECT_EQ(f.dialogs.saveProposals, std::vector<std::string>{pcg});
  const std::string written = TempDir::read((dir.path() / "log.txt").string());
  EXPECT_EQ(written, "Patchlore Open file <A.PCG> Bytes:52\r\nPatchlore  ---End of File--- <A.PCG>\r\n");
  EXPECT_EQ(f.window.state().actionMsg, "Saved <" + (dir.path() / "log.txt").string() + ">");

  f.dialogs.saveAnswers.push_back((dir.path() / "plain").string());
  f.window.saveLog();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "plain.txt"));
  f.dialogs.saveAnswers.push_back((dir.path() / "x.log").string());
  f.window.saveLog();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "x.txt"));
}

TEST_F(MainWindowCommands, CancelledSaveWritesNothing) {
  f.dialogs.saveAnswers.push_back(std::nullopt);
  f.window.saveLog();
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_EQ(f.window.state().actionMsg, "ActionMsg");
}

TEST_F(MainWindowCommands, FailedSaveKeepsTheOldFileAndSaysWhy) {
  if (::geteuid() == 0) {
    // root writes into read-only folders: make the target a folder instead
    std::filesystem::create_directory(dir.path() / "busy.txt");
    f.dialogs.saveAnswers.push_back((dir.path() / "busy.txt").string());
    f.window.saveLog();
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "busy.txt"));
  } else {
    const auto target = dir.write("old.txt", std::string("old contents"));
    ::chmod(dir.path().c_str(), 0555);
    f.dialogs.saveAnswers.push_back(target);
    f.window.saveLog();
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(TempDir::read(target), "old contents");
  }
  EXPECT_EQ(f.window.state().actionMsg.rfind("ERROR: Save failed. Cannot ", 0), 0u)
      << f.window.state().actionMsg;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename().string().find(".XXX"), std::string::npos);
}

TEST_F(MainWindowCommands, SafeWriteReplacesAndKeepsPermissions) {
  const auto target = dir.write("keep.txt", std::string("old"));
  ::chmod(target.c_str(), 0640);
  ASSERT_EQ(test::ResultText(WriteTextLines(target, {"a", "b"})), "ok");
  EXPECT_EQ(TempDir::read(target), "a\r\nb\r\n");
  struct stat info {};
  ::stat(target.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  const std::string missing = (dir.path() / "no" / "such" / "f.txt").string();
  EXPECT_EQ(test::ResultText(WriteTextLines(missing, {"a"})),
            "Cannot create a file beside " + missing + ": No such file or directory");
}

TEST_F(MainWindowCommands, FileExtensionRules) {
  EXPECT_EQ(ChangeFileExt("/a/b.TXT", ".txt"), "/a/b.txt");
  EXPECT_EQ(ChangeFileExt("/a.d/b", ".txt"), "/a.d/b.txt");
  EXPECT_EQ(ExtractFileExt("/a.d/b"), "");
  EXPECT_EQ(ExtractFileExt("x.tar.gz"), ".gz");
}

TEST_F(MainWindowCommands, NewListsAChosenFileWithoutLoadingIt) {
  const auto path = dir.write("K.PCG", test::SmallestPcg());
  f.dialogs.openAnswers.push_back(path);
  const auto content = f.window.checkFile();
  ASSERT_TRUE(content);
  EXPECT_EQ(content->caption, "Check PCG <K.PCG>");
  EXPECT_EQ(content->lines.front(), path);
  EXPECT_EQ(content->lines.back(), "Type of file=KORG KRONOS PCG ");
  EXPECT_EQ(f.window.registry().count(), 0);

  f.dialogs.openAnswers.push_back(std::nullopt);
  EXPECT_FALSE(f.window.checkFile());

  const auto empty = dir.write("EMPTY", test::Bytes{});
  f.dialogs.openAnswers.push_back(empty);
  const auto listed = f.window.checkFile();
  ASSERT_TRUE(listed);  // the listing never refuses a readable file
  EXPECT_EQ(listed->lines[1], "Bytes:0; hex=00000000");

  const auto missing = (dir.path() / "missing").string();
  f.dialogs.openAnswers.push_back(missing);
  EXPECT_FALSE(f.window.checkFile());
  EXPECT_EQ(f.window.state().actionMsg, "ERROR: Cannot read <" + missing + ">");
  EXPECT_EQ(f.window.state().view.back(), "Patchlore cannot read " + missing + ": No such file or directory");
}

TEST_F(MainWindowCommands, FontSettingStartsWithTheLogFont) {
  f.dialogs.fontAnswer = std::nullopt;
  f.window.chooseLogFont();
  EXPECT_EQ(f.dialogs.fontsOffered.at(0), (FontChoice{"Courier New", 10, true, false}));
  const FontChoice chosen{"DejaVu Sans Mono", 12, false, true};
  f.dialogs.fontAnswer = chosen;
  f.window.chooseLogFont();
  EXPECT_EQ(f.window.state().viewFont, chosen);
}

}  // namespace
}  // namespace patchlore
