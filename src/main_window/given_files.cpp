// Files given to the program rather than chosen in its dialogs: dropped on
// the main window or named on the command line. Each is loaded as Open
// would load it; one that is not a PCG or SNG but holds SysEx messages is
// loaded as Open As SysEx would load it.
#include "formats/sysex_scan.hpp"
#include "main_window/main_window_core.hpp"

namespace patchlore {

void MainWindowCore::openGivenFiles(const std::vector<std::string>& paths) {
  givenFiles_.insert(givenFiles_.end(), paths.begin(), paths.end());
  // A drop during a load (whose events the load lets in) only queues its
  // files; the loop below, or the one run when the load ends, takes them.
  if (openingGivenFiles_ || state_.loadRunning) return;
  openingGivenFiles_ = true;
  while (!givenFiles_.empty()) {
    const std::string path = givenFiles_.front();
    givenFiles_.pop_front();
    (void)openGivenFile(path);  // its outcome shows in ActionMsg and the log
    keepLog_ = true;            // the first file's Open cleared the log
  }
  openingGivenFiles_ = false;
  keepLog_ = false;
}

// The bytes Open read and refused become the SysEx entry: the file is read once.
LoadResult MainWindowCore::openGivenFile(const std::string& path) {
  setLoadRunning(true);
  LoadResult opened = openChosenFile(path);
  if (opened || !opened.failure().unknownHeader || SysexCount(opened.failure().bytes.bytes()) == 0) return opened;
  setLoadRunning(true);
  LoadResult added = workspace_.addSysex(std::move(opened.failure().bytes), path, path, *this);
  if (added) showLoadedCount();
  endLoad();
  return added ? std::move(added) : std::move(opened);
}

}  // namespace patchlore
