// The Compare command in the main window: the comparison runs in a new
// object browser window used as a plain list, its rows computed from the
// two files' bytes and the offsets of their differences.
#include <QAction>
#include <QPointer>

#include "main_window/ui/main_window.hpp"
#include "tools/compare_command.hpp"
#include "viewer/ui/object_browser_window.hpp"

namespace {

class WindowCompareHost : public patchlore::CompareHost {
 public:
  explicit WindowCompareHost(MainWindow& main) : main_(main) {}

  void pump() override { main_.pump(); }
  int nextWindowNumber() override { return main_.core().nextComparisonNumber(); }
  void openWindow(patchlore::Catalogue catalogue) override {
    window_ = new ObjectBrowserWindow(std::move(catalogue));
    main_.adoptChildWindow(window_);
    window_->show();
  }
  bool windowOpen() const override { return !window_.isNull(); }
  void rowsAdded(const std::string* msg) override {
    if (window_) window_->showAddedRows(msg);
  }
  void setProgress(const patchlore::ProgressBar& progress) override {
    main_.core().showComparisonProgress(progress);
  }

 private:
  MainWindow& main_;
  QPointer<ObjectBrowserWindow> window_;
};

}  // namespace

// One comparison at a time: the command is unavailable while one runs, so a
// second one cannot start from the events the first lets in.
void MainWindow::compareFiles() {
  if (!compareFiles_->isEnabled()) return;
  compareFiles_->setEnabled(false);
  WindowCompareHost host(*this);
  patchlore::RunCompareCommand(dialogs_, host);
  compareFiles_->setEnabled(true);
}
