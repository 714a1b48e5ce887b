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

// Set lists follow each other size bytes apart, and a listed set list has
// at least its 24-byte name inside the image: so no more are listed than
// 1 + (bytes from the first set list to the end of the image - 24) / size.
// A size below the smallest set list (a name and 128 slots of the 30 bytes
// before their comments) would lay the set lists over each other, a size of
// 0 all of them on the first: then the first only is listed. A count of 2^31
// thus lists at most one set list per 3,864 bytes of the image.
std::int64_t SetListBankFacts::listable(Image image) const {
  const std::int64_t first = setListOffset(0);
  const std::int64_t room = static_cast<std::int64_t>(image.size()) - first;
  if (first < 0 || room < kNameWidth) return 0;
  const std::int64_t fitting = size < kSmallestSetList ? 1 : 1 + (room - kNameWidth) / size;
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
