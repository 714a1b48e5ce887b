#include "viewer/linked_names.hpp"

#include "viewer/text_helpers.hpp"

namespace patchlore {

void LinkedNames::add(std::string_view key, std::string name) { byKey_.emplace(UpperCase(key), std::move(name)); }

const std::string* LinkedNames::find(std::string_view key) const {
  const auto found = byKey_.find(UpperCase(key));
  return found == byKey_.end() ? nullptr : &found->second;
}

}  // namespace patchlore
