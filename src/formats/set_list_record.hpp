// The set lists of an "SLS1" chunk decoded into named fields: where the bank
// and its set lists lie, the slot size of each set list and the fields of a
// slot. A field whose bytes lie outside the image has no value.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/bytes.hpp"

namespace patchlore {

struct SetListBankFacts {
  std::int64_t slotTable = 0;   // the chunk with the slot size table
  std::int64_t entryWidth = 0;  // bytes from one table entry to the next
  std::int64_t bank = 0;        // the set list bank
  // The bank's two full 32-bit fields, taken unsigned (a field cut by the
  // end of the image keeps the bytes left).
  std::int64_t count = 0;  // set lists
  std::int64_t size = 0;   // bytes per set list

  std::int64_t setListOffset(std::int64_t j) const;
  // How many set lists may be listed: at most count, and only those whose
  // name lies inside the image (see the definition for a size too small).
  std::int64_t listable(Image image) const;
  // The slot size of set list j; none when its table entry lies outside the image.
  std::optional<std::uint16_t> slotSize(Image image, std::int64_t j) const;
};

SetListBankFacts DecodeSetListBank(Image image, std::int64_t sls1);

struct SlotFacts {
  std::string_view name;  // as stored, clipped to the image
  std::optional<std::uint8_t> type;  // low 4 bits: 0 combination, 1 program, 2 song
  std::optional<std::uint8_t> bank;
  std::optional<std::uint8_t> number;
  std::optional<std::uint8_t> holdTime;  // seconds + 1
  std::optional<std::uint8_t> volume;
  std::optional<std::uint8_t> keyboardTrack;
  std::string_view comment;  // as stored, within its slot and its set list
};

// The slot at offset, slotSize bytes long, of a set list that ends at setListEnd.
SlotFacts DecodeSlot(Image image, std::int64_t offset, std::int64_t slotSize, std::int64_t setListEnd);

}  // namespace patchlore
