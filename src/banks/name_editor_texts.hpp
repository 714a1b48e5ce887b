// The texts the name editor reads its patch from: the file caption in Info
// and the window caption, and the 24-byte name made of a typed text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace patchlore {

// The index of a caption «0:PCG KORG KRONOS (bytes:123) \A.PCG»: the digits
// before its first ":" (after the first blank when one stands before the
// ":"); -1 without a ":" or with nothing before it.
std::int64_t IndexFromCaption(std::string_view caption);
// The decimal number after "bytes:" (any letter case); -1 without one.
std::int64_t BytesFromCaption(std::string_view caption);

// "KRONOS" or "OASYS" by the model named between the caption's first ":"
// and its first "\" (OASYS wins when both are named); else "undefined".
std::string DeviceOfInfo(std::string_view info);

// The patch key of a window caption "Edit Prog I-A000": what follows the
// caption's word and kind, up to a further blank.
std::string PatchKeyOfCaption(std::string_view caption);
// The key's bank part ("I-A") and its three-digit number (-1 when these are
// not all digits).
std::string BankPartOfKey(std::string_view key);
int NumberOfKey(std::string_view key);

// A label's decimal number; -1 when it is empty or not a number.
std::int64_t DecimalOrNone(std::string_view text);

// The 24 bytes written for a typed name: cut to 24, padded with NUL bytes.
std::string NameField(std::string_view typed);

}  // namespace patchlore
