#include "banks/name_editor_texts.hpp"

#include <cctype>
#include <charconv>

#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"

namespace patchlore {

namespace {

constexpr std::size_t kKeyNumberDigits = 3;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::int64_t DecimalOrNone(std::string_view text) {
  std::int64_t value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return -1;
  return value;
}

std::int64_t IndexFromCaption(std::string_view caption) {
  const auto colon = caption.find(':');
  const auto blank = caption.find(' ');
  if (blank != std::string_view::npos && blank < colon) caption.remove_prefix(blank + 1);
  const auto end = caption.find(':');
  if (end == std::string_view::npos || end == 0) return -1;
  return DecimalOrNone(caption.substr(0, end));
}

std::int64_t BytesFromCaption(std::string_view caption) {
  static constexpr std::string_view kWord = "bytes:";
  std::string lower(caption);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto at = lower.find(kWord);
  if (at == std::string::npos) return -1;
  auto end = at + kWord.size();
  while (end < caption.size() && IsDigit(caption[end])) ++end;
  return end == at + kWord.size() ? -1 : DecimalOrNone(caption.substr(at + kWord.size(), end - at - kWord.size()));
}

std::string DeviceOfInfo(std::string_view info) {
  const auto colon = info.find(':');
  const auto backslash = info.find('\\');
  if (colon == std::string_view::npos || backslash == std::string_view::npos || backslash < colon)
    return "undefined";
  const std::string_view named = info.substr(colon + 1, backslash - colon - 1);
  if (named.find("KORG OASYS") != std::string_view::npos) return "OASYS";
  if (named.find("KORG KRONOS") != std::string_view::npos) return "KRONOS";
  return "undefined";
}

std::string PatchKeyOfCaption(std::string_view caption) {
  std::string key = Trim(caption.substr(std::min<std::size_t>(4, caption.size())));
  auto blank = key.find(' ');
  if (blank != std::string::npos) key = Trim(std::string_view(key).substr(blank + 1));
  blank = key.find(' ');
  if (blank != std::string::npos) key = Trim(std::string_view(key).substr(0, blank));
  return key;
}

std::string BankPartOfKey(std::string_view key) {
  return std::string(key.substr(0, key.size() - std::min(key.size(), kKeyNumberDigits)));
}

int NumberOfKey(std::string_view key) {
  if (key.size() < kKeyNumberDigits) return -1;
  const std::string_view digits = key.substr(key.size() - kKeyNumberDigits);
  for (const char c : digits)
    if (!IsDigit(c)) return -1;
  return static_cast<int>(DecimalOrNone(digits));
}

std::string NameField(std::string_view typed) {
  std::string field(typed.substr(0, std::min<std::size_t>(typed.size(), bank_layout::kPatchNameWidth)));
  field.resize(bank_layout::kPatchNameWidth, '\0');
  return field;
}

}  // namespace patchlore
