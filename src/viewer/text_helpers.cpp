#include "viewer/text_helpers.hpp"

#include <cstdlib>

#include "common/bytes.hpp"

namespace patchlore {

std::string NoteName(int note) {
  static constexpr std::string_view names = "C C#D D#E F F#G G#A A#B ";
  const int n = note < 0 ? 0 : note;
  std::string name(names.substr(static_cast<std::size_t>(2 * (n % 12)), 2));
  if (name.back() == ' ') name.pop_back();
  return name + std::to_string(n / 12 - 1);
}

std::string SignedZeroPad(std::int64_t value, int width) {
  return Concat({value < 0 ? "-" : "+", ZeroPad(value < 0 ? -value : value, width)});
}

std::string ReplaceFirst(std::string_view pattern, std::string_view replacement, std::string_view text) {
  const auto at = pattern.empty() ? std::string_view::npos : text.find(pattern);
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, at)) + std::string(replacement) +
         std::string(text.substr(at + pattern.size()));
}

std::string CharTranslate(std::string_view set, std::string_view replacement, std::string_view text) {
  std::string result(text);
  if (replacement.empty()) return result;
  for (auto& c : result) {
    std::size_t position;
    if (set.empty()) {
      if (static_cast<unsigned char>(c) >= 32) continue;
      position = static_cast<unsigned char>(c);
    } else {
      position = set.find(c);
      if (position == std::string_view::npos) continue;
    }
    c = position < replacement.size() ? replacement[position] : replacement.back();
  }
  return result;
}

std::string BankShortName(std::string_view name) {
  const std::string head = UpperCase(name.substr(0, 3));
  if ((head == "INT" || head == "USR") && name.size() >= 4 && name[3] == '-')
    return std::string(1, name[0]) + std::string(name.substr(3));
  return std::string(name);
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (auto& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace patchlore
