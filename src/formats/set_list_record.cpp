#include "formats/set_list_record.hpp"

#include <algorithm>

#include "common/byte_reader.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/set_list_layout.hpp"

namespace patchlore {

using namespace set_list_layout;

namespace {
std::int64_t UnsignedField(Image image, std::int64_t offset) {
  return static_cast<std::uint32_t>(ReadClippedS32BE(image, offset));
}
}  // namespace

SetListBankFacts DecodeSetListBank(Image image, std::int64_t sls1) {
  SetListBankFacts facts;
  facts.slotTable = sls1 + kSlotTableChunk;
  facts.entryWidth = ReadClippedS32BE(image, facts.slotTable + kSlotTableEntryWidth);
  facts.bank = SetListBankPosition(image, sls1);
  facts.count = UnsignedField(image, facts.bank + bank_layout::kPatchCountField);
  facts.size = UnsignedField(image, facts.bank + bank_layout::kPatchSizeField);
  return facts;
}

std::int64_t SetListBankFacts::setListOffset(std::int64_t j) const {
  return bank + bank_layout::kHeaderSize + j * size;
}

// A set list holds at least its 24-byte name, so the image holds no more set
// lists than names fit between the first set list and its end; the count is
// cut to that. A size below the name would lay the set lists over each other
// (a size of 0 puts all of them on the first), so such a size lists the first
// only. The caller still stops at the first set list whose name is not
// wholly inside the image.
std::int64_t SetListBankFacts::listable(Image image) const {
  const std::int64_t first = setListOffset(0);
  const std::int64_t room = static_cast<std::int64_t>(image.size()) - first;
  if (first < 0 || room < kNameWidth) return 0;
  const std::int64_t fitting = size < kNameWidth ? 1 : room / kNameWidth;
  return std::min(count, fitting);
}

std::optional<std::uint16_t> SetListBankFacts::slotSize(Image image, std::int64_t j) const {
  return ReadU16LE(image, slotTable + kSlotSizes + j * entryWidth);
}

SlotFacts DecodeSlot(Image image, std::int64_t offset, std::int64_t slotSize, std::int64_t setListEnd) {
  SlotFacts slot;
  slot.name = ReadClippedBytes(image, offset + kSlotName, kSlotNameWidth);
  slot.type = ReadU8(image, offset + kSlotType);
  slot.bank = ReadU8(image, offset + kSlotBank);
  slot.number = ReadU8(image, offset + kSlotNumber);
  slot.holdTime = ReadU8(image, offset + kHoldTime);
  slot.volume = ReadU8(image, offset + kVolume);
  slot.keyboardTrack = ReadU8(image, offset + kKeyboardTrack);
  // The comment ends with its slot and never runs past the set list.
  const std::int64_t start = offset + kComment;
  const std::int64_t end = std::min({start + kCommentWidth, offset + slotSize, setListEnd});
  slot.comment = ReadClippedBytes(image, start, end - start);
  return slot;
}

}  // namespace patchlore
