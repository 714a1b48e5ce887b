// Tables of names by the text of a code ("00020000" names "U-A"): constant
// arrays searched as they stand. A code a table does not name stands for
// itself.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace patchlore {

struct NamedCode {
  std::string_view code;
  std::string_view name;
};

inline std::string NameOrCode(std::span<const NamedCode> table, std::string_view code) {
  for (const NamedCode& entry : table)
    if (entry.code == code) return std::string(entry.name);
  return std::string(code);
}

}  // namespace patchlore
