// The Compare command: two files chosen one after the other in the open
// dialog, read whole and compared byte by byte in a new result window. The
// window and the event pump are the host's; the steps and texts are here.
#pragma once

#include <memory>
#include <string>

#include "workspace/catalogue.hpp"
#include "common/services.hpp"
#include "tools/file_comparison.hpp"

namespace patchlore {

class CompareHost {
 public:
  virtual ~CompareHost() = default;
  // Lets the windows process pending events.
  virtual void pump() = 0;
  // The number of the next result window ("Compare" + number); asked for
  // only when a window is opened, so the numbers run without gaps.
  virtual int nextWindowNumber() = 0;
  // Opens and shows the result window; its rows are the catalogue's computed rows.
  virtual void openWindow(Catalogue catalogue) = 0;
  // False once the user has closed the result window: the comparison stops.
  virtual bool windowOpen() const = 0;
  // Rows were added to the window's comparison; msg is the new Msg text,
  // or null when Msg is not written.
  virtual void rowsAdded(const std::string* msg) = 0;
  virtual void setProgress(const ProgressBar& progress) = 0;
};

// Differences are looked for in blocks of this many bytes; between blocks the
// window shows the new rows and pending events are processed.
constexpr std::int64_t kCompareBlock = 1 << 20;

// Runs the command. The comparison, or null when the first step got no file
// and so no window was opened.
std::shared_ptr<const FileComparison> RunCompareCommand(Dialogs& dialogs, CompareHost& host);

}  // namespace patchlore
