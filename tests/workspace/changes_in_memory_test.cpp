// Changes in memory: every Write, Move and name edit is recorded as byte
// patches that Undo and Redo replay, the file is marked changed until it is
// saved, the history is bounded, and a file needed by its path is taken as
// it is loaded.
#include <gtest/gtest.h>

#include "banks/bank_manager.hpp"
#include "banks/name_editor.hpp"
#include "support/fakes.hpp"
#include "support/loaded_image.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {
namespace {

using test::Bytes;
using test::PcgBuilder;

Bytes ImageOf(const Workspace& workspace, int index) {
  const Image image = workspace.registry().image(index);
  return Bytes(image.begin(), image.end());
}

// Two program banks of two patches each, with their INI2 records; the U-A
// file's patches are named differently, so every copy changes its sums.
Bytes TwoBanks(std::uint32_t firstCode) {
  return PcgBuilder().programBank(firstCode, 2, 40).programBank(firstCode + 1, 2, 40).withIni().build();
}

struct Listener : WorkspaceObserver {
  std::vector<int> images;  // the files whose images changed, as told
  int histories = 0;
  void imageChanged(int index) override { images.push_back(index); }
  void historyChanged() override { ++histories; }
};

// A.PCG (I-A, I-B) and B.PCG (U-A, U-B) loaded, and a bank manager on them
// with A's first bank chosen From and B's first bank To.
struct TwoFiles : ::testing::Test {
  Workspace workspace;
  Listener listener;
  BankManager manager{workspace};

  TwoFiles() {
    test::AddToRegistry(workspace.registry(), TwoBanks(0), "/data/A.PCG");
    test::AddToRegistry(workspace.registry(), TwoBanks(0x20000), "/data/B.PCG");
    workspace.subscribe(listener);
    manager.open();
    manager.chooseFile(BankSide::From, 0);
    manager.chooseFile(BankSide::To, 1);
    manager.chooseBank(BankSide::From, 0);
    manager.chooseBank(BankSide::To, 0);
  }

  // The change just made to B is named so; undoing it gives B's image as it
  // was before, byte for byte (checksums and INI2 copies with it), and
  // redoing it the image as it was after.
  void expectUndoAndRedo(const Bytes& before, const std::string& name) {
    const Bytes after = ImageOf(workspace, 1);
    ASSERT_NE(after, before);
    ASSERT_EQ(workspace.history().toUndo()->name, name);
    ASSERT_TRUE(workspace.undo());
    EXPECT_EQ(ImageOf(workspace, 1), before);
    ASSERT_TRUE(workspace.redo());
    EXPECT_EQ(ImageOf(workspace, 1), after);
    EXPECT_EQ(listener.images, (std::vector<int>{1, 1, 1}));  // made, undone, redone
    EXPECT_EQ(ImageOf(workspace, 0), TwoBanks(0));
  }
};

TEST_F(TwoFiles, AWriteIsUndoneAndRedoneByteForByte) {
  const Bytes before = ImageOf(workspace, 1);
  ASSERT_TRUE(manager.write());
  expectUndoAndRedo(before, "Write bank U-A of B.PCG");
}

TEST_F(TwoFiles, AMoveIsUndoneAndRedoneByteForByte) {
  manager.choosePatch(BankSide::From, 0);
  manager.choosePatch(BankSide::To, 1);
  manager.setOffset(0);
  manager.setLength(40);
  const Bytes before = ImageOf(workspace, 1);
  ASSERT_TRUE(manager.move());
  expectUndoAndRedo(before, "Move into U-A001 of B.PCG");
}

TEST_F(TwoFiles, ANameEditIsUndoneAndRedoneByteForByte) {
  NameEditor editor(workspace);
  const auto inputs = NameEditorInputsFor(workspace.registry(), 1, manager.state().to.header.offset, 1);
  ASSERT_TRUE(inputs.ok());
  editor.open(*inputs, PatchNameAt(workspace.registry(), *inputs));
  editor.setName("Crystal Bells");
  const Bytes before = ImageOf(workspace, 1);
  ASSERT_TRUE(editor.write());
  expectUndoAndRedo(before, "Edit name U-A001 of B.PCG");
}

TEST_F(TwoFiles, ARefusedOrEmptyChangeRecordsNothing) {
  manager.chooseBank(BankSide::To, 1);
  manager.chooseFile(BankSide::From, 1);
  manager.chooseBank(BankSide::From, 1);  // U-B onto itself: every byte stays
  ASSERT_TRUE(manager.write());
  NameEditor editor(workspace);
  NameEditorInputs stale = *NameEditorInputsFor(workspace.registry(), 1, manager.state().to.header.offset, 0);
  stale.imageSize += 1;
  editor.open(stale, "Stale");
  EXPECT_FALSE(editor.write());
  ImageEdit outside = workspace.beginChange(1, "test");
  outside.write(0, std::uint8_t{0xAA});
  const std::int64_t last = std::ssize(ImageOf(workspace, 1)) - 1;
  outside.write(last, std::string_view("\x01\x02"));
  EXPECT_EQ(workspace.commit(outside).failure().text,
            "A write at " + Hex8(last) + " lies outside the image: nothing changed");

  EXPECT_EQ(ImageOf(workspace, 1), TwoBanks(0x20000));
  EXPECT_EQ(workspace.history().count(), 0u);
  EXPECT_TRUE(workspace.changedFiles().empty());
  EXPECT_TRUE(listener.images.empty());
  EXPECT_EQ(listener.histories, 0);
}

TEST_F(TwoFiles, ANewChangeAfterAnUndoDropsWhatCouldBeRedone) {
  ASSERT_TRUE(manager.write());
  ASSERT_TRUE(workspace.undo());
  test::Poke(workspace, 0, 40, 0x55);
  EXPECT_EQ(workspace.history().toRedo(), nullptr);
  EXPECT_EQ(workspace.redo().failure().text, "Nothing to redo");
  EXPECT_EQ(workspace.history().count(), 1u);
  EXPECT_EQ(workspace.changedFiles(), std::vector<int>{0});
}

TEST(ChangesInMemory, TheHistoryKeepsTheLastHundredChanges) {
  Workspace workspace;
  test::AddToRegistry(workspace.registry(), TwoBanks(0));
  for (int change = 1; change <= 101; ++change) test::Poke(workspace, 0, 40, static_cast<std::uint8_t>(change));
  EXPECT_EQ(workspace.history().count(), ImageHistory::kMaxChanges);
  int undone = 0;
  while (workspace.undo()) ++undone;
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(workspace.registry().image(0)[40], 1);  // the first change can no longer be taken back
  EXPECT_TRUE(workspace.changed(0));
}

TEST(ChangesInMemory, TheHistoryForgetsTheOldestChangesBeyondItsBytesButKeepsTheNewest) {
  ImageHistory history(100, 10);
  const auto change = [](std::size_t bytes) {
    return ImageChange{0, "test", {{0, Bytes(bytes, 0), Bytes(bytes, 1)}}, 0, 0};
  };
  for (int k = 0; k < 3; ++k) history.record(change(2));  // 4 bytes each
  EXPECT_EQ(history.count(), 2u);
  EXPECT_EQ(history.recordedBytes(), 8);
  history.record(change(20));
  EXPECT_EQ(history.count(), 1u);
  EXPECT_EQ(history.recordedBytes(), 40);
}

TEST(ChangesInMemory, AFileIsChangedUntilSavedOrUndoneToWhatWasSaved) {
  test::TempDir dir;
  test::MainWindowFixture f;
  ASSERT_TRUE(f.open(dir.write("A.PCG", TwoBanks(0))));
  test::Poke(f.workspace, 0, 40, 0x55);
  EXPECT_TRUE(f.workspace.changed(0));
  ASSERT_TRUE(f.workspace.undo());
  EXPECT_FALSE(f.workspace.changed(0));  // as loaded
  ASSERT_TRUE(f.workspace.redo());
  f.dialogs.saveAnswers = {(dir.path() / "SAVED.PCG").string()};
  f.window.savePcg({0});
  EXPECT_FALSE(f.workspace.changed(0));
  ASSERT_TRUE(f.workspace.undo());
  EXPECT_TRUE(f.workspace.changed(0));  // no longer what was saved
  ASSERT_TRUE(f.workspace.redo());
  EXPECT_FALSE(f.workspace.changed(0));
}

TEST(ChangesInMemory, UndoAndRedoAreNamedInTheEditMenuAndActionMsg) {
  test::MainWindowFixture f;
  test::AddToRegistry(f.workspace.registry(), TwoBanks(0), "/data/A.PCG");
  EXPECT_EQ(f.window.undoCaption(), "Undo");
  EXPECT_EQ(f.window.redoCaption(), "Redo");
  test::Poke(f.workspace, 0, 40, 0x55);
  EXPECT_EQ(f.window.undoCaption(), "Undo test");
  f.window.undo();
  EXPECT_EQ(f.window.state().actionMsg, "Undone: test");
  EXPECT_EQ(f.window.undoCaption(), "Undo");
  EXPECT_EQ(f.window.redoCaption(), "Redo test");
  f.window.redo();
  EXPECT_EQ(f.window.state().actionMsg, "Redone: test");
  f.window.redo();
  EXPECT_EQ(f.window.state().actionMsg, "Nothing to redo");
}

TEST(ChangesInMemory, EndingAsksOnceAboutTheChangedFilesAndSavesThem) {
  test::TempDir dir;
  test::MainWindowFixture f;
  ASSERT_TRUE(f.open(dir.write("A.PCG", TwoBanks(0))));
  ASSERT_TRUE(f.open(dir.write("B.PCG", TwoBanks(0x20000))));
  EXPECT_TRUE(f.window.mayClose());
  EXPECT_TRUE(f.dialogs.unsavedChangesQuestions.empty());
  test::Poke(f.workspace, 1, 40, 0x55);
  f.dialogs.unsavedChangesAnswer = UnsavedChangesAnswer::Save;
  f.dialogs.saveAnswers = {std::nullopt};  // the save dialog cancelled
  EXPECT_FALSE(f.window.mayClose());
  f.dialogs.saveAnswers = {(dir.path() / "B2.PCG").string()};
  EXPECT_TRUE(f.window.mayClose());
  EXPECT_EQ(f.dialogs.unsavedChangesQuestions,
            std::vector<std::string>(2, "Save the changes of these files before closing?\n1:B.PCG"));
  EXPECT_EQ(f.dialogs.saveProposals, (std::vector<std::string>{"B.PCG", "B.PCG"}));
}

TEST(ChangesInMemory, SavePcgWithoutARowSaysSo) {
  test::MainWindowFixture f;
  f.window.savePcg({});
  EXPECT_EQ(f.window.state().actionMsg, "Save Pcg: select the files to save in the list first");
  EXPECT_TRUE(f.dialogs.saveProposals.empty());
}

TEST(ChangesInMemory, AFileNeededByItsPathIsTakenAsLoaded) {
  test::TempDir dir;
  test::MainWindowFixture f;
  const std::string a = dir.write("A.PCG", TwoBanks(0));
  ASSERT_TRUE(f.open(a));
  const std::string sameFile = (dir.path() / "." / "A.PCG").string();
  f.dialogs.openAnswers = {sameFile};
  EXPECT_EQ(f.window.openOrTakeLoaded().value(), 0);
  EXPECT_EQ(f.window.loadedOrOpened(dir.write("B.PCG", TwoBanks(0))).value(), 1);
  EXPECT_EQ(f.window.loadedOrOpened(a).value(), 0);
  EXPECT_EQ(f.workspace.registry().count(), 2);
}

}  // namespace
}  // namespace patchlore
