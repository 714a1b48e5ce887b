// The program names of the linked PCG by program key, compared without
// regard to case; the first name given for a key stands. Kept beside the
// viewer's hidden list "Pcg", which shows the same names as key "=" name.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace patchlore {

class LinkedNames {
 public:
  void clear() { byKey_.clear(); }
  void add(std::string_view key, std::string name);

  // The name given for key, or nothing.
  const std::string* find(std::string_view key) const;

 private:
  std::unordered_map<std::string, std::string> byKey_;  // upper-cased key -> name
};

}  // namespace patchlore
