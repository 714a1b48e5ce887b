// Dialogs that answer from a script, and a reporter that records what the
// window would have shown.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main_window/main_window_core.hpp"
#include "common/services.hpp"

namespace patchlore::test {

class FakeDialogs : public Dialogs {
 public:
  std::deque<std::optional<std::string>> openAnswers;  // nothing = cancelled
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::optional<FontChoice> fontAnswer;
  bool yesNoAnswer = false;
  UnsavedChangesAnswer unsavedChangesAnswer = UnsavedChangesAnswer::Cancel;
  std::vector<std::string> saveProposals;
  std::vector<FontChoice> fontsOffered;
  std::vector<std::string> questions;  // every yes/no question asked
  std::vector<std::string> unsavedChangesQuestions;

  std::optional<std::string> openFile(const std::string&) override {
    return take(openAnswers);
  }
  std::optional<std::string> saveFile(const std::string& proposal, const std::string&) override {
    saveProposals.push_back(proposal);
    return take(saveAnswers);
  }
  std::optional<FontChoice> chooseFont(const FontChoice& current) override {
    fontsOffered.push_back(current);
    return fontAnswer;
  }
  bool askYesNo(const std::string& question) override {
    questions.push_back(question);
    return yesNoAnswer;
  }
  std::optional<std::string> chooseFolder() override { return take(folderAnswers); }
  UnsavedChangesAnswer askAboutUnsavedChanges(const std::string& question) override {
    unsavedChangesQuestions.push_back(question);
    return unsavedChangesAnswer;
  }

 private:
  static std::optional<std::string> take(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class RecordingReporter : public MainWindowReporter {
 public:
  const MainWindowCore* window = nullptr;  // set after the window is made
  std::vector<std::string> statuses;      // every text ActionMsg showed
  std::vector<ProgressBar> progress;      // every state of the progress bar
  std::vector<bool> loadRunningWhenPumped;
  int pumps = 0;
  std::function<void()> onPump;

  void changed(MainWindowPart part) override {
    if (!window) return;
    if (part == MainWindowPart::ActionMsg) statuses.push_back(window->state().actionMsg);
    if (part == MainWindowPart::Progress) progress.push_back(window->state().progress);
  }
  void pump() override {
    ++pumps;
    if (window) loadRunningWhenPumped.push_back(window->state().loadRunning);
    if (onPump) onPump();
  }
};

// A main window with fake dialogs and a recording reporter.
struct MainWindowFixture {
  FakeDialogs dialogs;
  RecordingReporter reporter;
  Workspace workspace;
  MainWindowCore window{workspace, dialogs, reporter};
  MainWindowFixture() { reporter.window = &window; }

  // Runs Open on the path as if it had been chosen in the dialog.
  Result<int> open(const std::string& path) {
    dialogs.openAnswers.push_back(path);
    return window.openFile();
  }
};

}  // namespace patchlore::test
