// What the core needs from outside itself: dialogs, and a window that shows
// progress and processes pending events during long work. The desktop program
// implements these with Qt; tests and the command-line tool with fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace patchlore {

struct FontChoice {
  std::string family;
  int pointSize = 10;
  bool bold = false;
  bool italic = false;
  bool operator==(const FontChoice&) const = default;
};

// What to do with the files changed in memory when the program is to end.
enum class UnsavedChangesAnswer { Save, Discard, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen file (a path of the file system), or nothing when cancelled.
  virtual std::optional<std::string> openFile(const std::string& filter) = 0;
  // proposal is the name the dialog starts with.
  virtual std::optional<std::string> saveFile(const std::string& proposal,
                                              const std::string& filter) = 0;
  virtual std::optional<FontChoice> chooseFont(const FontChoice& current) = 0;
  virtual bool askYesNo(const std::string& question) = 0;
  // The program is to end with files changed in memory: save them, discard
  // their changes, or cancel (the program goes on).
  virtual UnsavedChangesAnswer askAboutUnsavedChanges(const std::string& question) = 0;
  // A folder (a path of the file system), or nothing when cancelled.
  virtual std::optional<std::string> chooseFolder() { return std::nullopt; }
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  // Lets the window process pending events; implementations limit the rate.
  virtual void pump() {}
  virtual bool cancelRequested() const { return false; }
};

struct ProgressBar {
  bool visible = false;
  std::int64_t maximum = 100;
  std::int64_t position = 0;
  bool operator==(const ProgressBar&) const = default;
};

}  // namespace patchlore
