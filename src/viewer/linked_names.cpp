#include "viewer/linked_names.hpp"

#include "viewer/text_helpers.hpp"

namespace patchlore {

LinkedNames::LinkedNames(const std::vector<std::string>& lines) {
  byKey_.reserve(lines.size());
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    byKey_.emplace(UpperCase(std::string_view(line).substr(0, equals)), line.substr(equals + 1));
  }
}

const std::string* LinkedNames::find(std::string_view key) const {
  const auto found = byKey_.find(UpperCase(key));
  return found == byKey_.end() ? nullptr : &found->second;
}

}  // namespace patchlore
