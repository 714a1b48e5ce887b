#include "sysex/import_midi_file.hpp"

#include <gtest/gtest.h>

#include "support/fakes.hpp"
#include "support/midi_file_builder.hpp"
#include "support/result_text.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::MidiFileBuilder;

class ImportMidiFile : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::MainWindowFixture f;

  Result<int> import(const std::string& name, const Bytes& bytes) {
    f.dialogs.openAnswers.push_back(dir.write(name, bytes));
    return f.window.importSysexFromMidiFile();
  }
  const MainWindowState& state() const { return f.window.state(); }
  static Bytes TwoMessages() {
    return MidiFileBuilder(0).track().sysex(0, {0x42, 0x30, 0x19, 0x21, 0xF7}).sysex(0, {0x41, 0xF7}).endOfTrack().build();
  }
};

TEST_F(ImportMidiFile, AddsTheMessagesAsASysexFileNamedAfterTheMidiFile) {
  const Result<int> added = import("DUMP.MID", TwoMessages());
  ASSERT_TRUE(added.ok()) << test::ResultText(added);
  EXPECT_EQ(*added, 0);
  EXPECT_EQ(f.reporter.statuses,
            (std::vector<std::string>{"OpenDialog", "SysEx  Read file  <DUMP.MID>", "SysEx  Alloc in Memory <DUMP.MID>",
                                      "Copy Buffer to PCList.Items[0]", "SysEx  load from file<DUMP.MID>"}));
  EXPECT_EQ(state().msgView, "  Loaded:1;   Please, Open and try to Load file.");
  const FileRow& row = f.window.registry().row(0);
  EXPECT_EQ(row.index + "|" + row.fileName + "|" + row.bytes + "|" + row.type + "|" + row.filePath,
            "0|DUMP.MID|9|SysEx  ; Count:2|" + dir.path().string() + "/");
  const Image image = f.window.registry().image(0);
  EXPECT_EQ(Bytes(image.begin(), image.end()), (Bytes{0xF0, 0x42, 0x30, 0x19, 0x21, 0xF7, 0xF0, 0x41, 0xF7}));
  EXPECT_FALSE(state().loadRunning);
  EXPECT_FALSE(state().progress.visible);
  f.window.savePcg({0});
  EXPECT_EQ(f.dialogs.saveProposals, std::vector<std::string>{"DUMP.syx"});
}

TEST_F(ImportMidiFile, AFileNotTakenLeavesItsReasonInActionMsg) {
  const Bytes whole = TwoMessages();
  EXPECT_EQ(test::ResultText(import("CUT.MID", Bytes(whole.begin(), whole.end() - 1))),
            "ERROR: MIDI file <CUT.MID>: The chunk at offset $0000000E is 17 bytes long, past the end of the file "
            "(bytes that follow: 16)");
  EXPECT_EQ(test::ResultText(import("NOTES.MID", MidiFileBuilder().track().endOfTrack().build())),
            "SysEx  Sysex missing in  file<NOTES.MID>");
  f.dialogs.openAnswers.push_back(dir.path().string());  // a folder
  EXPECT_EQ(test::ResultText(f.window.importSysexFromMidiFile()), "ERROR: Cannot read <" + dir.path().filename().string() + ">");
  EXPECT_EQ(state().actionMsg, "ERROR: Cannot read <" + dir.path().filename().string() + ">");
  EXPECT_EQ(f.window.registry().count(), 0);
  EXPECT_FALSE(state().loadRunning);
}

TEST_F(ImportMidiFile, NoOtherLoadStartsWhileItRunsNorItWhileAnotherRuns) {
  const std::string midiFile = dir.write("DUMP.MID", TwoMessages());
  int refused = 0;
  f.reporter.onPump = [&] {
    if (!state().loadRunning) return;
    f.dialogs.openAnswers.assign(2, midiFile);
    EXPECT_EQ(test::ResultText(f.window.openAsSysex()), "Another file is being loaded");
    EXPECT_EQ(test::ResultText(f.window.importSysexFromMidiFile()), "Another file is being loaded");
    f.dialogs.openAnswers.clear();
    ++refused;
  };
  f.dialogs.openAnswers.push_back(midiFile);
  ASSERT_TRUE(f.window.importSysexFromMidiFile().ok());
  const int refusedWhileImporting = refused;
  EXPECT_GT(refusedWhileImporting, 0);
  f.dialogs.openAnswers.push_back(dir.write("M1.SYX", Bytes{0xF0, 0x42, 0xF7}));
  ASSERT_TRUE(f.window.openAsSysex().ok());
  EXPECT_GT(refused, refusedWhileImporting);
  EXPECT_EQ(f.window.registry().count(), 2);
}

}  // namespace
}  // namespace patchlore
