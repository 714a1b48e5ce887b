// The Compare command: the comparison runs in a new object browser window
// used as a plain list, its rows computed from the two files' bytes and the
// offsets of their differences.
#include <QPointer>
#include <functional>

#include "main_window/ui/window_director.hpp"
#include "tools/compare_command.hpp"
#include "viewer/ui/object_browser_window.hpp"

namespace {

class WindowCompareHost : public patchlore::CompareHost {
 public:
  WindowCompareHost(patchlore::MainWindowCore& core, patchlore::Reporter& reporter,
                    std::function<void(QWidget*)> adoptAndShow)
      : core_(core), reporter_(reporter), adoptAndShow_(std::move(adoptAndShow)) {}

  void pump() override { reporter_.pump(); }
  int nextWindowNumber() override { return core_.nextComparisonNumber(); }
  void openWindow(patchlore::Catalogue catalogue) override {
    window_ = new ObjectBrowserWindow(std::move(catalogue));
    adoptAndShow_(window_);
  }
  bool windowOpen() const override { return !window_.isNull(); }
  void rowsAdded(const std::string* msg) override {
    if (window_) window_->showAddedRows(msg);
  }
  void setProgress(const patchlore::ProgressBar& progress) override { core_.showComparisonProgress(progress); }

 private:
  patchlore::MainWindowCore& core_;
  patchlore::Reporter& reporter_;
  std::function<void(QWidget*)> adoptAndShow_;
  QPointer<ObjectBrowserWindow> window_;
};

}  // namespace

void WindowDirector::compareFiles() {
  WindowCompareHost host(core_, reporter_, [this](QWidget* window) { adoptAndShow(window); });
  patchlore::RunCompareCommand(dialogs_, host);
}
