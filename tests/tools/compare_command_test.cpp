#include "tools/compare_command.hpp"

#include <gtest/gtest.h>
#include <malloc.h>

#include "support/fakes.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

// Records what the command shows; the window can be closed by the test.
class RecordingHost : public CompareHost {
 public:
  void pump() override { ++pumps; }
  int nextWindowNumber() override { return ++windows; }
  void openWindow(Catalogue catalogue) override {
    caption = catalogue.caption;
    open = true;
  }
  bool windowOpen() const override { return open; }
  void rowsAdded(const std::string* text) override {
    ++additions;
    if (text) msg = *text;
    if (closeAfterAddition) open = false;
  }
  void setProgress(const ProgressBar& bar) override { progress.push_back(bar); }

  int pumps = 0, windows = 0, additions = 0;
  bool open = false, closeAfterAddition = false;
  std::string caption, msg = "Msg";
  std::vector<ProgressBar> progress;
};

class CompareCommand : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::FakeDialogs dialogs;
  RecordingHost host;

  std::shared_ptr<const FileComparison> compare(const Bytes& a, const Bytes& b) {
    dialogs.openAnswers = {dir.write("A.PCG", a), dir.write("B.PCG", b)};
    return RunCompareCommand(dialogs, host);
  }
  static std::vector<std::string> Rows(const FileComparison& c) {
    std::vector<std::string> rows;
    for (std::size_t r = 0; r < c.count(); ++r) {
      std::string row = c.text(r, 0);
      for (std::size_t column = 1; column < 5; ++column) row += "|" + c.text(r, column);
      rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(CompareCommand, RowsForEachFileAndEachDifferingOffset) {
  const auto c = compare({0x01, 0x02, 0x03, 0x04, 0x05}, {0xFF, 0x02, 0x0A, 0x04, 0x5B, 0x06});
  EXPECT_EQ(host.caption, "Compare1");
  EXPECT_EQ(Rows(*c), (std::vector<std::string>{"1: A.PCG|||Bytes:5|", "2: B.PCG||||Bytes:6",
                                                "|1: not EQ|00000000|01|FF", "|2: not EQ|00000002|03|0A",
                                                "|3: not EQ|00000004|05|5B"}));
  EXPECT_EQ(host.msg, "Lines: 5; notEQ:3");
  EXPECT_EQ(host.progress.front(), (ProgressBar{true, 5, 0}));
  EXPECT_EQ(host.progress.back(), (ProgressBar{false, 5, 5}));
}

TEST_F(CompareCommand, EqualBytesGiveOnlyTheFileRowsAndMsgIsNotWritten) {
  auto c = compare({1, 2, 3}, {1, 2, 3});
  EXPECT_EQ(Rows(*c), (std::vector<std::string>{"1: A.PCG|||Bytes:3|", "2: B.PCG||||Bytes:3"}));
  c = compare({1, 2, 3}, {1, 2, 3, 4});  // only the common part is compared
  EXPECT_EQ(Rows(*c), (std::vector<std::string>{"1: A.PCG|||Bytes:3|", "2: B.PCG||||Bytes:4"}));
  EXPECT_EQ(host.msg, "Msg");
  EXPECT_EQ(host.caption, "Compare2");
}

TEST_F(CompareCommand, MissingUnreadableAndEmptyFiles) {
  dialogs.openAnswers = {std::nullopt, dir.write("B", Bytes{1})};
  EXPECT_EQ(RunCompareCommand(dialogs, host), nullptr);  // the command ends; no window, no number used
  dialogs.openAnswers = {(dir.path() / "MISSING").string()};
  EXPECT_EQ(RunCompareCommand(dialogs, host), nullptr);
  EXPECT_EQ(host.windows, 0);

  dialogs.openAnswers = {dir.write("A", Bytes{1}), std::nullopt};
  EXPECT_EQ(Rows(*RunCompareCommand(dialogs, host)), (std::vector<std::string>{"1: A|||Bytes:1|"}));

  // A folder is not read; an empty file sets no progress range.
  dialogs.openAnswers = {dir.path().string(), dir.write("B", Bytes{1})};
  const auto folder = RunCompareCommand(dialogs, host);
  EXPECT_EQ(folder->text(0, 3), "Bytes:-1");
  EXPECT_FALSE(folder->comparable());
  dialogs.openAnswers = {dir.write("E", Bytes{}), dir.write("B", Bytes{1})};
  EXPECT_EQ(Rows(*RunCompareCommand(dialogs, host)), (std::vector<std::string>{"1: E|||Bytes:0|", "2: B||||Bytes:1"}));
  EXPECT_TRUE(host.progress.empty());
  EXPECT_EQ(host.caption, "Compare3");
}

TEST_F(CompareCommand, ClosingTheWindowStopsTheComparison) {
  host.closeAfterAddition = true;  // the first addition is the second file's row
  host.open = true;
  const auto c = compare(Bytes(3 * kCompareBlock, 0x00), Bytes(3 * kCompareBlock, 0xFF));
  EXPECT_EQ(c->differenceCount(), 0);
  EXPECT_EQ(host.additions, 1);
}

// Sixteen MiB differing in every byte: the rows cost the offsets of the
// differences, not texts.
TEST_F(CompareCommand, MillionsOfDifferencesCostOnlyTheirOffsets) {
  constexpr std::int64_t kSize = 16 << 20;
  const Bytes a(kSize, 0x00), b(kSize, 0x01);
  dialogs.openAnswers = {dir.write("A", a), dir.write("B", b)};
  const std::size_t before = mallinfo2().uordblks;
  const auto c = RunCompareCommand(dialogs, host);
  const std::size_t grown = mallinfo2().uordblks - before;
  EXPECT_EQ(c->differenceCount(), kSize);
  EXPECT_EQ(host.msg, "Lines: 16777218; notEQ:16777216");
  EXPECT_EQ(c->text(16777217, 2), "00FFFFFF");
  EXPECT_LT(grown, 100u * kSize);
  EXPECT_LT(host.pumps, 64);  // events are let in per block, not per difference
}

}  // namespace
}  // namespace patchlore
