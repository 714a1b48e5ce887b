#include <gtest/gtest.h>

#include "formats/set_list_layout.hpp"
#include "formats/set_list_record.hpp"
#include "support/chunk_tree.hpp"
#include "viewer_fixture.hpp"

namespace patchlore {

void PrintTo(const TableRow& row, std::ostream* out);

namespace {

using namespace set_list_layout;
using test::Bytes;
using test::PcgBuilder;

std::string Padded(const std::string& text, std::int64_t width) {
  Bytes bytes;
  test::AppendPadded(bytes, text, static_cast<std::size_t>(width));
  return std::string(bytes.begin(), bytes.end());
}

// The row of slot i of the set lists the builder makes, for a slot of 542 bytes.
TableRow BuiltRow(std::string caption, std::string setListName, int i, std::string type, std::string hold) {
  return {std::move(caption),
          {std::move(setListName), std::to_string(i), std::move(type), Padded("Slot " + std::to_string(i), kSlotNameWidth),
           std::to_string(100 + i % 28), std::move(hold), Padded("Comment " + std::to_string(i), kCommentWidth)}};
}

class SetListShow : public ::testing::Test {
 protected:
  test::ViewerFixture f;

  std::int64_t setListChunk(int file) { return FindChunk("SLS1", f.registry().image(file)); }

  std::unique_ptr<ViewerCore> shown(const Bytes& image) {
    const int file = f.load("S.PCG", image);
    auto v = f.viewer(file, {test::ViewerFixture::Object("SetList Bank", setListChunk(file))}, "SetList");
    v->pressShow();
    return v;
  }
};

TEST_F(SetListShow, EachSetListGives127SlotRowsHeadedByItsNumberAndName) {
  auto v = shown(PcgBuilder().setLists(2, kSlotSize).build());
  const ViewerState& s = v->state();
  EXPECT_FALSE(s.columnsVisible);
  EXPECT_EQ(s.table.columns, (std::vector<TableColumn>{{"Index", 50}, {"SetList Name", 160}, {"Slot", 40},
                                                       {"Type", 50}, {"Slot Name", 80}, {"Volume", 50},
                                                       {"Hold Time", 60}, {"Comment", 50}}));
  ASSERT_EQ(s.table.rows.size(), 254u);
  EXPECT_EQ(s.table.rows[0], BuiltRow("000", "Set List 0", 0, "Combi", "0 sec."));
  EXPECT_EQ(s.table.rows[126], BuiltRow("", "", 126, "Combi", "6 sec."));
  EXPECT_EQ(s.table.rows[127], BuiltRow("001", "Set List 1", 0, "Combi", "0 sec."));
  EXPECT_EQ(s.msg, "SetList:1; Lines:254");
}

TEST_F(SetListShow, CancelStopsBeforeTheNextSetList) {
  const int file = f.load("S.PCG", PcgBuilder().setLists(3, 64).build());
  auto v = f.viewer(file, {test::ViewerFixture::Object("SetList Bank", setListChunk(file))}, "SetList");
  f.reporter.onPump = [&] {
    if (v->state().table.rows.size() == 5) v->cancel();
  };
  v->pressShow();
  EXPECT_EQ(v->state().table.rows.size(), 127u);
  EXPECT_EQ(v->state().msg, "SetList:0; Lines:127");
}

// Slot 0 holds 0 seconds (byte 0), slot 1 type 0x11 and 10 seconds (byte 11).
TEST_F(SetListShow, SlotTypeByFileVersionAndHoldTime) {
  const auto edit = [](int, int slot, Bytes& r) {
    if (slot == 1) r[kSlotType] = 0x11;
    if (slot < 2) r[kHoldTime] = static_cast<std::uint8_t>(slot == 0 ? 0 : 11);
  };
  auto v0200 = shown(PcgBuilder().setLists(1, 64).editSlots(edit).build());
  const Table& t = v0200->state().table;
  EXPECT_EQ((std::vector<std::string>{t.text(1, 3), t.text(2, 3), t.text(0, 6), t.text(1, 6)}),
            (std::vector<std::string>{"Prog", "Song", "-1 sec.", "10 sec."}));
  auto v0202 = shown(PcgBuilder().version(0x0202).setLists(1, 64).editSlots(edit).build());
  EXPECT_EQ(v0202->state().table.text(1, 3), "1: OS Version 0202");
}

// A slot of 40 bytes leaves 10 for its comment; the bytes after it are the
// next slot's name.
TEST_F(SetListShow, CommentEndsWithItsSlot) {
  auto v = shown(PcgBuilder().setLists(1, 40).build());
  EXPECT_EQ(v->state().table.rows[0],
            (TableRow{"000", {"Set List 0", "0", "Combi", Padded("Slot 0", kSlotNameWidth), "100", "0 sec.",
                              "Comment 0 "}}));
}

// Counts and sizes no image can hold: the listing ends where the set list
// names leave the image, a size below the smallest set list (here 1,000 or
// 0) lists the first set list only, and a slot past the end of the image
// gives empty cells. A count of 0 leaves the bank's count and size in Msg.
TEST_F(SetListShow, HostileCountsAndSizesAreBoundedByTheImage) {
  const Bytes built = PcgBuilder().setLists(1, 40).build();
  const SetListBankFacts bank = DecodeSetListBank(Image(built), FindChunk("SLS1", Image(built)));
  const auto hostile = [&](std::uint32_t size, std::uint16_t slotSize, std::uint32_t count = 0x80000000u) {
    Bytes image = built;
    test::PutBigEndian32(image, bank.bank + bank_layout::kPatchCountField, count);
    test::PutBigEndian32(image, bank.bank + bank_layout::kPatchSizeField, size);
    image[static_cast<std::size_t>(bank.slotTable + kSlotSizes)] = static_cast<std::uint8_t>(slotSize);
    image[static_cast<std::size_t>(bank.slotTable + kSlotSizes + 1)] = static_cast<std::uint8_t>(slotSize >> 8);
    return shown(image);
  };
  // Set lists 4,000 bytes apart: the image ends within a few of them.
  const std::int64_t room = static_cast<std::int64_t>(built.size()) - bank.setListOffset(0);
  const std::int64_t fitting = (room - kNameWidth) / 4000 + 1;
  ASSERT_GE(fitting, 2);
  EXPECT_EQ(hostile(4000, 40)->state().table.rows.size(), static_cast<std::size_t>(fitting * kSlotsShown));
  EXPECT_EQ(hostile(1000, 40)->state().table.rows.size(), static_cast<std::size_t>(kSlotsShown));
  EXPECT_EQ(hostile(0, 40)->state().table.rows.size(), static_cast<std::size_t>(kSlotsShown));
  auto wide = hostile(0x10000u * 64, 0xFFFF);
  const ViewerState& s = wide->state();
  ASSERT_EQ(s.table.rows.size(), static_cast<std::size_t>(kSlotsShown));
  EXPECT_EQ(s.table.rows[1], (TableRow{"", {"", "1", "", "", "", "", ""}}));
  EXPECT_EQ(s.msg, "SetList:0; Lines:127");
  EXPECT_EQ(hostile(0x12345, 40, 0)->state().msg, "SetList; patchCount=00; patchSize=12345");
}

}  // namespace
}  // namespace patchlore
