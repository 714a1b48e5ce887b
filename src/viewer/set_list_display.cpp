#include "viewer/set_list_display.hpp"

#include <charconv>
#include <optional>
#include <string_view>

#include "common/byte_reader.hpp"
#include "formats/set_list_layout.hpp"
#include "viewer/name_tables.hpp"
#include "viewer/view_templates.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

namespace {

using namespace set_list_layout;

// The version whose slot types the display names.
constexpr std::string_view kNamedTypesVersion = "0200";
constexpr CodeName kSlotTypeNames[] = {{0, "Combi"}, {1, "Prog"}, {2, "Song"}};

void AppendNumber(std::string& out, std::int64_t value) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, static_cast<std::size_t>(end - digits));
}

void AppendType(std::string& out, std::optional<std::uint8_t> type, const std::string& fileVersion) {
  if (!type) return;
  const int digit = *type & kSlotTypeMask;
  if (fileVersion == kNamedTypesVersion) return AppendName(out, kSlotTypeNames, digit, 1);
  out += HexPad(digit, 1);
  out += ": OS Version ";
  out += fileVersion;
}

}  // namespace

SetListDisplay::SetListDisplay(const ShowContext& context)
    : image_(context.image), patch_(context.patch), fileVersion_(context.fileVersion) {}

void SetListDisplay::show(ShowFrame& frame) {
  ViewerState& state = frame.viewerState();
  state.columnsVisible = false;
  frame.changed(ViewerPart::Groups);
  state.table.columns.clear();
  for (const TemplateColumn& column : SetListTemplate()) state.table.columns.push_back(column.column);
  frame.changed(ViewerPart::Table);
  for (const std::int64_t sls1 : frame.objectOffsets())
    if (!showBank(frame, sls1)) return;
}

bool SetListDisplay::showBank(ShowFrame& frame, std::int64_t sls1) {
  const SetListBankFacts bank = DecodeSetListBank(image_, sls1);
  frame.setMsg(patch_ + "; patchCount=" + HexPad(bank.count, 2) + "; patchSize=" + HexPad(bank.size, 2));
  RowWriter rows = frame.rows();
  const std::int64_t listable = bank.listable(image_);  // bounded by the image
  for (std::int64_t j = 0; j < listable; ++j) {
    if (cancelled_) return false;
    setListName_ = TrimRight(NameText(ReadClippedBytes(image_, bank.setListOffset(j) + kName, kNameWidth)));
    const std::int64_t slotSize = bank.slotSize(image_, j).value_or(0);
    rows.expect(kSlotsShown);
    for (int i = 0; i < kSlotsShown; ++i) {
      cancelled_ = frame.pumpAndTestCancel();
      addSlotRow(rows, bank, j, i, slotSize);
      frame.changed(ViewerPart::Table);
      writeMsg(frame, j);
    }
  }
  return !cancelled_;
}

void SetListDisplay::addSlotRow(RowWriter& rows, const SetListBankFacts& bank, std::int64_t j, int slot,
                                std::int64_t slotSize) {
  const std::int64_t start = bank.setListOffset(j);
  const SlotFacts facts =
      DecodeSlot(image_, start + kFirstSlot + slot * slotSize, slotSize, start + bank.size);
  TableRow& row = rows.add();
  if (slot == 0) row.caption = ZeroPad(j, 3);
  CellWriter cells(row.cells, SetListTemplate().size() - 1);
  std::string& name = cells.next();
  if (slot == 0) name = setListName_;
  AppendNumber(cells.next(), slot);
  AppendType(cells.next(), facts.type, fileVersion_);
  cells.next() = NameText(facts.name);
  std::string& volume = cells.next();
  if (facts.volume) AppendNumber(volume, *facts.volume);
  std::string& hold = cells.next();
  if (facts.holdTime) {
    AppendNumber(hold, *facts.holdTime - 1);
    hold += " sec.";
  }
  cells.next() = NameText(facts.comment);
}

// Msg changes once per slot: written in place.
void SetListDisplay::writeMsg(ShowFrame& frame, std::int64_t j) {
  ViewerState& state = frame.viewerState();
  state.msg.assign(patch_).append(":");
  AppendNumber(state.msg, j);
  state.msg.append("; Lines:");
  AppendNumber(state.msg, static_cast<std::int64_t>(state.table.rows.size()));
  frame.changed(ViewerPart::Msg);
}

}  // namespace patchlore
