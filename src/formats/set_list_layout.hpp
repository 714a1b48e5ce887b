// The set list chunk "SLS1": the chunks that lead to its bank, the slot size
// table and the set list and slot records.
#pragma once

#include <cstdint>

namespace patchlore::set_list_layout {

// From the "SLS1" chunk: its first grandchild holds the slot size table.
inline constexpr std::int64_t kSlotTableChunk = 24;
// From the slot table chunk.
inline constexpr std::int64_t kSlotTableEntryWidth = 16;  // 32-bit width w of one table entry
inline constexpr std::int64_t kSlotSizes = 76;            // slot size of set list j at + j w, 16-bit little-endian
// The chunk after the slot table chunk holds the set list bank "SBK1" as
// its first child, 12 bytes in.

// From the set list bank "SBK1": its count and size are full 32-bit fields
// (bank_layout::kPatchCountField, kPatchSizeField).

// From the start of a set list.
inline constexpr std::int64_t kName = 0;  // set list name, characters
inline constexpr std::int64_t kNameWidth = 24;
inline constexpr std::int64_t kFirstSlot = 24;
inline constexpr int kSlotCount = 128;
inline constexpr int kSlotsShown = 127;   // the last slot is not listed
inline constexpr std::int64_t kSlotSize = 542;  // the slot size the instrument writes
inline constexpr std::int64_t kSettings = kFirstSlot + kSlotCount * kSlotSize;  // after the slots
inline constexpr std::int64_t kSettingsWidth = 16;
inline constexpr std::int64_t kSetListSize = kSettings + kSettingsWidth;  // 69416

// From the start of a slot.
inline constexpr std::int64_t kSlotName = 0;
inline constexpr std::int64_t kSlotNameWidth = 24;
inline constexpr std::int64_t kSlotType = 24;       // low 4 bits: 0 combination, 1 program, 2 song
inline constexpr int kSlotTypeMask = 0x0F;
inline constexpr int kSlotTypeProgram = 1;
inline constexpr std::int64_t kSlotBank = 25;       // bank of the slot's program or combination
inline constexpr std::int64_t kSlotNumber = 26;     // its number in that bank
inline constexpr std::int64_t kHoldTime = 27;       // seconds + 1
inline constexpr std::int64_t kVolume = 28;
inline constexpr std::int64_t kKeyboardTrack = 29;
inline constexpr std::int64_t kComment = 30;
inline constexpr std::int64_t kCommentWidth = 512;

// The smallest set list: its name and 128 slots of the fields before the comment.
inline constexpr std::int64_t kSmallestSetList = kFirstSlot + kSlotCount * kComment;

}  // namespace patchlore::set_list_layout
