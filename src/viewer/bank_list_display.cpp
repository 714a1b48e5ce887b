#include "viewer/bank_list_display.hpp"

#include <utility>

#include "common/byte_reader.hpp"
#include "formats/banks.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

BankListDisplay::BankListDisplay(ShowFrame& frame, std::string bankCaption)
    : image_(frame.context().image),
      patch_(frame.context().patch),
      bankCaption_(std::move(bankCaption)),
      offsets_(frame.viewerState().checkOffset.checked) {}

void BankListDisplay::show(ShowFrame& frame) {
  frame.viewerState().columnsVisible = false;
  frame.changed(ViewerPart::Groups);
  for (std::size_t b = 0; b < frame.objectOffsets().size(); ++b)
    if (!showBank(frame, b)) return;
}

bool BankListDisplay::showBank(ShowFrame& frame, std::size_t b) {
  ViewerState& state = frame.viewerState();
  const BankHeader bank = ReadBankHeader(image_, frame.objectOffsets()[b]);
  RowWriter rows = frame.rows();
  rows.expect(static_cast<std::size_t>(bank.patchCount));
  for (std::int64_t j = 0; j < bank.patchCount; ++j) {
    if (frame.pumpAndTestCancel()) return false;
    TableRow& row = rows.add();
    if (j == 0) {
      row.caption = bankCaption_ + BankShortName(CombiBankName(bank.typeCode));
      if (offsets_) row.caption += "; offsetBank:" + Hex8(bank.offset);
    }
    CellWriter cells(row.cells, 2);
    cells.next() = ZeroPad(j, 3);
    cells.next() = TrimRight(NameText(ReadClippedBytes(image_, bank.patchOffset(j) + bank_layout::kPatchName,
                                                         bank_layout::kPatchNameWidth)));
    frame.changed(ViewerPart::Table);
    state.msg.assign(patch_)
        .append(" Banks:")
        .append(std::to_string(b + 1))
        .append("; Lines:")
        .append(std::to_string(state.table.rows.size()));
    frame.changed(ViewerPart::Msg);
  }
  return true;
}

}  // namespace patchlore
