#include <gtest/gtest.h>

#include "viewer_fixture.hpp"

namespace patchlore {

void PrintTo(const TableRow& row, std::ostream* out);

namespace {

using test::PcgBuilder;

class BankListShow : public ::testing::Test {
 protected:
  test::ViewerFixture f;

  // A viewer of the banks of the parent chunk, not yet shown.
  std::unique_ptr<ViewerCore> viewer(const test::Bytes& bytes, const std::string& parent, const std::string& kind) {
    const int file = f.load("K.PCG", bytes);
    const Image image = f.registry().image(file);
    std::vector<ViewerObject> banks;
    for (const auto b : BankRun(image, FindChunk(parent, image), BankRunKind::DrumKitsOrWaveSequences))
      banks.push_back(test::ViewerFixture::Object(kind + " Bank", b));
    return f.viewer(file, banks, kind);
  }
};

TEST_F(BankListShow, DrumKitsWithTheBankNameOnKit000AndItsOffsetUnderCheckOffset) {
  auto v = viewer(PcgBuilder().drumKitBank(0x00020003, 3, 40).build(), "DKT1", "Drum");
  v->setShowOffsets(true);
  v->pressShow();
  const ViewerState& s = v->state();
  EXPECT_FALSE(s.columnsVisible);
  EXPECT_EQ(s.table.columns, InitialViewerColumns());
  const std::string bank = s.offsetBox[0].substr(s.offsetBox[0].size() - 8);
  EXPECT_EQ(s.table.rows, (std::vector<TableRow>{{"Drum Kit U-D; offsetBank:" + bank, {"000", "Kit U-D 000"}},
                                                 {"", {"001", "Kit U-D 001"}},
                                                 {"", {"002", "Kit U-D 002"}}}));
  EXPECT_EQ(s.msg, "Drum Banks:1; Lines:3");
}

TEST_F(BankListShow, WaveSequencesOfEachBank) {
  auto v = viewer(PcgBuilder().waveSequenceBank(0, 1, 30).waveSequenceBank(0x00020001, 2, 30).build(), "WSQ1",
                  "Wave");
  v->pressShow();
  EXPECT_EQ(v->state().table.rows, (std::vector<TableRow>{{"Wave Seq I-A", {"000", "WSeq I-A 000"}},
                                                          {"Wave Seq U-B", {"000", "WSeq U-B 000"}},
                                                          {"", {"001", "WSeq U-B 001"}}}));
  EXPECT_EQ(v->state().msg, "Wave Banks:2; Lines:3");
}

}  // namespace
}  // namespace patchlore
