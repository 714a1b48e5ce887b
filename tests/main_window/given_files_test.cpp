#include <gtest/gtest.h>

#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/sysex_builder.hpp"
#include "support/temp_dir.hpp"

namespace patchlore {
namespace {

using test::Bytes;

class GivenFiles : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::MainWindowFixture f;

  std::vector<std::string> types() const {
    std::vector<std::string> rows;
    for (int i = 0; i < f.window.registry().count(); ++i)
      rows.push_back(f.window.registry().name(i) + "|" + f.window.registry().type(i));
    return rows;
  }
};

// A PCG as Open loads it, messages under another name as Open As SysEx, and
// a file that is neither refused with Open's text.
TEST_F(GivenFiles, EachIsLoadedAsOpenOrElseAsSysex) {
  const std::string pcg = dir.write("A.PCG", test::PcgBuilder().programBank(0, 1, 40).build());
  const std::string syx = dir.write("M1.SYX", test::M1Message(0x21));
  const std::string text = dir.write("NOTES.TXT", Bytes{'h', 'i', 0xF0, 0x01});
  f.window.openGivenFiles({pcg, text, syx});
  EXPECT_EQ(types(), (std::vector<std::string>{"A.PCG|PCG KORG KRONOS", "M1.SYX|SysEx  ; Count:1"}));
  EXPECT_EQ(f.window.state().actionMsg, "SysEx  load from file<M1.SYX>");
  EXPECT_FALSE(f.window.state().loadRunning);
}

// The log keeps the lines of every file of a batch; the next batch, or an
// Open, starts it again.
TEST_F(GivenFiles, TheLogKeepsEveryFileOfTheBatch) {
  const std::string pcg = dir.write("A.PCG", test::PcgBuilder().programBank(0, 1, 40).build());
  const std::string syx = dir.write("M1.SYX", test::M1Message(0x21));
  const std::string missing = (dir.path() / "GONE.PCG").string();
  const std::string pcgSize = std::to_string(test::PcgBuilder().programBank(0, 1, 40).build().size());
  f.window.openGivenFiles({pcg, missing, syx});
  EXPECT_EQ(f.window.state().view,
            (std::vector<std::string>{
                "Patchlore Open file <A.PCG> Bytes:" + pcgSize, "Patchlore  ---End of File--- <A.PCG>",
                "Patchlore Open file <GONE.PCG> Bytes:0",
                "Patchlore cannot read " + missing + ": No such file or directory",
                "Patchlore Format ERROR-1. Unknown file_Header'' - must be 'KORG'",
                "Patchlore Open file <M1.SYX> Bytes:" + std::to_string(test::M1Message(0x21).size()),
                "Patchlore Format ERROR-1. Unknown file_Header'\xF0" "B0' - must be 'KORG'"}));
  f.window.openGivenFiles({pcg});
  EXPECT_EQ(f.window.state().view, (std::vector<std::string>{"Patchlore Open file <A.PCG> Bytes:" + pcgSize,
                                                              "Patchlore  ---End of File--- <A.PCG>"}));
}

// Files dropped while a load runs wait for it, and then keep their order.
TEST_F(GivenFiles, FilesGivenDuringALoadWaitTheirTurn) {
  const std::string a = dir.write("A.PCG", test::PcgBuilder().programBank(0, 1, 40).build());
  const std::string b = dir.write("B.PCG", test::PcgBuilder().programBank(1, 1, 40).build());
  const std::string c = dir.write("C.SYX", test::M1Message(0x21));
  bool dropped = false;
  f.reporter.onPump = [&] {
    if (dropped || !f.window.state().loadRunning) return;
    dropped = true;
    f.window.openGivenFiles({b, c});
  };
  ASSERT_TRUE(f.open(a).ok());
  EXPECT_EQ(types().size(), 1u);
  EXPECT_TRUE(f.window.hasGivenFilesWaiting());
  f.window.openGivenFiles({});
  EXPECT_EQ(types(), (std::vector<std::string>{"A.PCG|PCG KORG KRONOS", "B.PCG|PCG KORG KRONOS",
                                               "C.SYX|SysEx  ; Count:1"}));
}

}  // namespace
}  // namespace patchlore
