// Built-in names of the programs of the instrument's GM banks: the GM bank,
// the variation banks g(1) to g(9) and the drum bank g(d). The song display
// names tracks that play GM programs with them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace patchlore {

struct GmNameEntry {
  std::string_view key;         // bank name + three-digit program number: "GM001", "g(3)005", "g(d)009"
  std::string_view storedName;  // at most 16 characters between blanks and tabs
};

constexpr std::size_t kGmNameCount = 264;

// All 128 GM programs, then the variation and drum programs by program number.
extern const std::array<GmNameEntry, kGmNameCount> GM_Names_Table;

// The name stored under key with the surrounding blanks and tabs removed, or
// nothing when the table has no such key.
std::optional<std::string> GmName(std::string_view key);

// The name of program p (counted from 1) of bank number m (6 GM, 7 to 15
// g(1) to g(9), 16 g(d)). A drum program without an entry takes the kit at or
// below it; a variation without one the nearest lower variation, then the GM
// program. "not found in GM_Names_Table" for other bank numbers.
std::string GmProgramName(int m, std::int64_t p);

}  // namespace patchlore
