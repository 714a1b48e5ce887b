// The viewer's two row filters: the bank/program filter keeps or hides rows
// by their program key, the program-name filter by substrings of the program
// name. Both act while a view is built; a click only changes the settings.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace patchlore {

// The views differ in how they treat an empty selection and pattern lines.
enum class FilterView { Program, Combination, Song };

// The part of a list entry before its first "=" (all of it without one).
std::string EntryName(std::string_view entry);

// Whether one pattern line matches the name in the given view; chain is the
// chain text cutting a line into parts (program and combination views).
// Case is ignored.
bool PatternLineMatches(FilterView view, std::string_view line, std::string_view name,
                        std::string_view chain);

class ViewFilters {
 public:
  ViewFilters();

  // --- Bank/program filter -------------------------------------------------
  const std::vector<std::string>& boxExist() const { return boxExist_; }
  const std::vector<std::string>& boxSelect() const { return boxSelect_; }
  const std::string& countExist() const { return countExist_; }    // "All Progs: " + count
  const std::string& countSelect() const { return countSelect_; }  // "Selected: " + count
  bool enaProg() const { return enaProg_; }                        // false: DisProg checked

  // Adds the entry unless an entry of the same text is there; the program
  // and combination views add one entry per distinct key.
  void addExistOnce(const std::string& entry);
  // Adds the entry and keeps the list sorted (the song view fills it only
  // while it is empty).
  void addExistSorted(const std::string& entry);
  // Shows both counts as the "&BankProg Filter" menu item does.
  void refreshCounts();

  void selectExisting(int index);   // adds the entry unless its name is selected
  // Adds an entry to the selection by the same rule as a click on it.
  void selectEntry(const std::string& entry);
  void unselect(int index);  // deletes the entry
  void clearSelection();         // clears the selection
  void disableProgramSelection() { enaProg_ = false; }
  void enableProgramSelection() { enaProg_ = true; }

  // --- Program-name filter -------------------------------------------------
  const std::vector<std::string>& memoSubstr() const { return memoSubstr_; }
  const std::string& countSubstr() const { return countSubstr_; }  // "Substrings: " + count
  const std::string& chainStr() const { return chainStr_; }
  bool enaName() const { return enaName_; }  // true: EnaName checked

  // The memo's text changed; lines are split at line breaks as a memo does.
  void setPatternText(std::string_view text);
  void setMemoLines(std::vector<std::string> lines);
  void clearPatterns();
  void setChainStr(std::string text) { chainStr_ = std::move(text); }
  void disableNameFilter() { enaName_ = false; }
  void enableNameFilter() { enaName_ = true; }

  // --- Decisions taken for each candidate row ------------------------------
  bool keepKey(FilterView view, std::string_view programKey) const;
  bool keepName(FilterView view, std::string_view programName) const;

 private:
  void countSelection();
  void countPatterns();

  std::vector<std::string> boxExist_;
  std::unordered_set<std::string> existing_;  // the entries of boxExist_, for the add-once test
  std::vector<std::string> boxSelect_;
  std::string countExist_ = "All Progs:";
  std::string countSelect_ = "for Show:";
  bool enaProg_ = false;
  std::vector<std::string> memoSubstr_;
  std::string countSubstr_ = "Substrings: 0";
  std::string chainStr_ = "*";
  bool enaName_ = true;
};

}  // namespace patchlore
