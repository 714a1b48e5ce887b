#include <gtest/gtest.h>

#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/result_text.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

class OpenAsSysex : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::MainWindowFixture f;

  Result<int> load(const std::string& name, const Bytes& bytes) {
    f.dialogs.openAnswers.push_back(dir.write(name, bytes));
    return f.window.openAsSysex();
  }
  const MainWindowState& state() const { return f.window.state(); }
};

TEST_F(OpenAsSysex, AddsAFileOfMessagesWithItsRowAndTexts) {
  // Two messages, garbage between them, and an unterminated one at the end.
  Bytes bytes = test::M1Message(0x21);
  bytes.insert(bytes.end(), {0x00, 0x7F, 0xF0, 0x41, 0xF0, 0x42, 0xF7, 0xF0, 0x43});
  const Result<int> added = load("M1.SYX", bytes);
  ASSERT_TRUE(added.ok());
  EXPECT_EQ(*added, 0);
  EXPECT_EQ(f.reporter.statuses,
            (std::vector<std::string>{"OpenDialog", "SysEx  Read file  <M1.SYX>", "SysEx  Close file <M1.SYX>",
                                      "SysEx  Finally read <M1.SYX>", "SysEx  end of reading <M1.SYX>",
                                      "SysEx  Alloc in Memory <M1.SYX>", "Copy Buffer to PCList.Items[0]",
                                      "SysEx  load from file<M1.SYX>"}));
  EXPECT_EQ(state().caption, "Patchlore Open file <M1.SYX> Bytes:15");
  EXPECT_EQ(state().msgView, "  Loaded:1;   Please, Open and try to Load file.");
  EXPECT_TRUE(state().view.empty());
  EXPECT_FALSE(state().progress.visible);
  const FileRow& row = f.window.registry().row(0);
  EXPECT_EQ(row.index + "|" + row.fileName + "|" + row.bytes + "|" + row.type,
            "0|M1.SYX|15|SysEx  ; Count:2");
  EXPECT_EQ(f.window.registry().kind(0), FileKind::SysEx);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), f.window.registry().image(0).begin()));
}

TEST_F(OpenAsSysex, FileWithoutAMessageIsNotAdded) {
  EXPECT_EQ(test::ResultText(load("PLAIN.BIN", {0x4B, 0x4F, 0xF7, 0xF0, 0x01})),
            "SysEx  Sysex missing in  file<PLAIN.BIN>");
  EXPECT_EQ(state().caption, "Patchlore Open file <PLAIN.BIN> Bytes:5");
  EXPECT_EQ(state().msgView, "  Please, Open and try to load file.");
  EXPECT_EQ(test::ResultText(load("EMPTY.SYX", {})), "SysEx  end of reading <EMPTY.SYX>");
  const std::string missing = (dir.path() / "MISSING.SYX").string();
  f.dialogs.openAnswers.push_back(missing);
  EXPECT_EQ(test::ResultText(f.window.openAsSysex()), "SysEx  end of reading <MISSING.SYX>");
  EXPECT_EQ(f.window.registry().count(), 0);
  // The log is Open's; Open As SysEx adds to it only why a file was not read.
  EXPECT_EQ(state().view, std::vector<std::string>{"Patchlore cannot read " + missing + ": No such file or directory"});
  f.dialogs.openAnswers.push_back(std::nullopt);
  EXPECT_EQ(test::ResultText(f.window.openAsSysex()), "No file chosen");
  EXPECT_EQ(state().actionMsg, "OpenDialog");
}

TEST_F(OpenAsSysex, MessagesFromElsewhereAreAddedAsAFileOfThem) {
  const Bytes bytes = test::M1Message(0x21);
  EXPECT_EQ(test::ResultText(f.window.addSysexImage(ByteBuffer::CopyOf(Bytes{0x00, 0xF7}), "/midi/Received1.syx")),
            "SysEx  Sysex missing in  file<Received1.syx>");
  const Result<int> added = f.window.addSysexImage(ByteBuffer::CopyOf(bytes), "/midi/Received1.syx");
  ASSERT_TRUE(added.ok());
  const FileRow& row = f.window.registry().row(*added);
  EXPECT_EQ(row.fileName + "|" + row.bytes + "|" + row.type + "|" + row.filePath,
            "Received1.syx|6|SysEx  ; Count:1|/midi/");
  EXPECT_EQ(state().actionMsg, "SysEx  load from file<Received1.syx>");
  EXPECT_FALSE(state().loadRunning);
}

TEST_F(OpenAsSysex, NeitherLoadStartsWhileOneRuns) {
  int nested = 0;
  f.reporter.onPump = [&] {
    if (!state().loadRunning) return;
    using Command = Result<int> (MainWindowCore::*)();
    for (const Command command : {&MainWindowCore::openFile, &MainWindowCore::openAsSysex}) {
      f.dialogs.openAnswers.push_back(dir.write("other.PCG", test::SmallestPcg()));
      EXPECT_EQ(test::ResultText((f.window.*command)()), "Another file is being loaded");
      f.dialogs.openAnswers.clear();
    }
    ++nested;
  };
  ASSERT_TRUE(load("ONE.SYX", test::M1Message(0x21)).ok());
  EXPECT_GT(nested, 0);
  EXPECT_EQ(f.window.registry().count(), 1);
  EXPECT_FALSE(state().loadRunning);
}

}  // namespace
}  // namespace patchlore
