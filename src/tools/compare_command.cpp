#include "tools/compare_command.hpp"

#include <filesystem>

#include "common/cp1251.hpp"

namespace patchlore {

namespace {

const std::string kAnyFile = "Any file (*)";

// The chosen file's path, or nothing when the dialog was cancelled or the
// file does not exist: that step then ends without a message.
std::optional<std::string> ChooseExistingFile(Dialogs& dialogs) {
  std::optional<std::string> path = dialogs.openFile(kAnyFile);
  std::error_code error;
  if (!path || !std::filesystem::exists(*path, error)) return std::nullopt;
  return path;
}

void ReadInto(FileComparison& comparison, int k, const std::string& path) {
  comparison.setFile(k, Utf8ToCp1251(std::filesystem::path(path).filename().string()), ReadWholeFile(path));
}

void CompareAll(FileComparison& comparison, CompareHost& host) {
  const std::int64_t common = comparison.commonSize();
  if (common > 0) host.setProgress({true, common, 0});
  while (!comparison.finished() && host.windowOpen()) {
    const std::int64_t before = comparison.differenceCount();
    const std::int64_t reached = comparison.compareMore(kCompareBlock);
    if (comparison.differenceCount() > before) {
      const std::optional<std::string> msg = comparison.msg();
      host.rowsAdded(&*msg);
      host.setProgress({true, common, comparison.difference(comparison.differenceCount() - 1)});
    }
    if (reached < common) host.pump();
  }
  // Done, or stopped with its window: the bar shows the end, then goes.
  if (common > 0) host.setProgress({false, common, common});
}

}  // namespace

std::shared_ptr<const FileComparison> RunCompareCommand(Dialogs& dialogs, CompareHost& host) {
  host.pump();
  const std::optional<std::string> first = ChooseExistingFile(dialogs);
  if (!first) return nullptr;  // no file to compare with: the command ends
  auto comparison = std::make_shared<FileComparison>();
  ReadInto(*comparison, 1, *first);
  Catalogue window;
  window.caption = "Compare" + std::to_string(host.nextWindowNumber());
  window.list.columns = ComparisonColumns();
  window.computed = comparison;
  window.opensViewers = false;
  host.openWindow(std::move(window));
  const std::optional<std::string> second = ChooseExistingFile(dialogs);
  if (!second || !host.windowOpen()) return comparison;
  ReadInto(*comparison, 2, *second);
  host.rowsAdded(nullptr);
  if (comparison->comparable()) CompareAll(*comparison, host);
  return comparison;
}

}  // namespace patchlore
