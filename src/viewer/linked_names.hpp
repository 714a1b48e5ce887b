// The program names of the linked PCG (the viewer's hidden list "Pcg"), found
// by program key: the name part of a line (before its first "="), compared
// without regard to case. The first line of the list names the file and has
// no "=", so it never matches.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace patchlore {

class LinkedNames {
 public:
  explicit LinkedNames(const std::vector<std::string>& lines);

  // The value of the first line named key, or nothing.
  const std::string* find(std::string_view key) const;

 private:
  std::unordered_map<std::string, std::string> byKey_;  // upper-cased name part -> value
};

}  // namespace patchlore
