#include "viewer/filters.hpp"

#include <algorithm>

#include "viewer/text_helpers.hpp"

namespace patchlore {

namespace {

// The text cut at every occurrence of chain; one part when chain is empty or
// absent.
std::vector<std::string_view> SplitAt(std::string_view text, std::string_view chain) {
  std::vector<std::string_view> parts;
  if (chain.empty()) return {text};
  std::size_t start = 0;
  for (auto at = text.find(chain); at != std::string_view::npos; at = text.find(chain, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + chain.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Each non-empty part must occur in what is left of the name, which then
// starts right after that occurrence.
bool ProgramLineMatches(std::string_view line, std::string_view name, std::string_view chain) {
  std::string_view rest = name;
  for (const auto part : SplitAt(line, chain)) {
    if (part.empty()) continue;
    const auto at = rest.find(part);
    if (at == std::string_view::npos) return false;
    rest.remove_prefix(at + part.size());
  }
  return true;
}

// The parts before each chain text are searched in turn, what is left of the
// name starting one character after each found part begins, so parts may
// overlap; the text after the last chain text must then occur.
bool CombinationLineMatches(std::string_view line, std::string_view name, std::string_view chain) {
  if (chain.empty() || line.find(chain) == std::string_view::npos)
    return !line.empty() && name.find(line) != std::string_view::npos;
  const auto parts = SplitAt(line, chain);
  std::string_view rest = name;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    const auto at = rest.find(parts[i]);
    if (at == std::string_view::npos) return false;
    rest.remove_prefix(at + 1);
  }
  const auto last = parts.back();
  return last.empty() || rest.find(last) != std::string_view::npos;
}

}  // namespace

std::string EntryName(std::string_view entry) { return std::string(entry.substr(0, entry.find('='))); }

bool PatternLineMatches(FilterView view, std::string_view line, std::string_view name,
                        std::string_view chain) {
  const std::string l = UpperCase(line);
  const std::string n = UpperCase(name);
  const std::string c = UpperCase(chain);
  switch (view) {
    case FilterView::Program: return ProgramLineMatches(l, n, c);
    case FilterView::Combination: return CombinationLineMatches(l, n, c);
    case FilterView::Song: return !l.empty() && n.find(l) != std::string::npos;
  }
  return false;
}

ViewFilters::ViewFilters() = default;

void ViewFilters::addExistOnce(const std::string& entry) {
  if (existing_.insert(entry).second) boxExist_.push_back(entry);
  countExist_ = "All Progs: " + std::to_string(boxExist_.size());
}

void ViewFilters::addExistSorted(const std::string& entry) {
  boxExist_.insert(std::upper_bound(boxExist_.begin(), boxExist_.end(), entry), entry);
  existing_.insert(entry);
  countExist_ = "All Progs: " + std::to_string(boxExist_.size());
}

void ViewFilters::refreshCounts() {
  countExist_ = "All Progs: " + std::to_string(boxExist_.size());
  countSelection();
}

void ViewFilters::selectExisting(int index) {
  if (index < 0 || index >= static_cast<int>(boxExist_.size())) return;
  selectEntry(boxExist_[static_cast<std::size_t>(index)]);
}

void ViewFilters::selectEntry(const std::string& entry) {
  const std::string name = UpperCase(EntryName(entry));
  const bool present = std::any_of(boxSelect_.begin(), boxSelect_.end(), [&](const std::string& s) {
    return UpperCase(EntryName(s)) == name;
  });
  if (!present) boxSelect_.push_back(entry);
  countSelection();
}

void ViewFilters::unselect(int index) {
  if (index >= 0 && index < static_cast<int>(boxSelect_.size()))
    boxSelect_.erase(boxSelect_.begin() + index);
  countSelection();
}

void ViewFilters::clearSelection() {
  boxSelect_.clear();
  countSelection();
}

void ViewFilters::setPatternText(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  setMemoLines(std::move(lines));
}

void ViewFilters::setMemoLines(std::vector<std::string> lines) {
  memoSubstr_ = std::move(lines);
  countPatterns();
}

void ViewFilters::clearPatterns() {
  memoSubstr_.clear();
  countPatterns();
}

bool ViewFilters::keepKey(FilterView view, std::string_view programKey) const {
  if (boxSelect_.empty()) return view == FilterView::Combination || !enaProg_;
  const std::string key = UpperCase(programKey);
  const bool selected = std::any_of(boxSelect_.begin(), boxSelect_.end(), [&](const std::string& s) {
    return UpperCase(EntryName(s)) == key;
  });
  return enaProg_ ? selected : !selected;
}

bool ViewFilters::keepName(FilterView view, std::string_view programName) const {
  if (memoSubstr_.empty()) return true;
  const bool matches = std::any_of(memoSubstr_.begin(), memoSubstr_.end(), [&](const std::string& line) {
    return PatternLineMatches(view, line, programName, chainStr_);
  });
  return enaName_ ? matches : !matches;
}

void ViewFilters::countSelection() { countSelect_ = "Selected: " + std::to_string(boxSelect_.size()); }

void ViewFilters::countPatterns() { countSubstr_ = "Substrings: " + std::to_string(memoSubstr_.size()); }

}  // namespace patchlore
