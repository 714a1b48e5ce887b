// Changes in memory: the one place where a loaded image is written, the
// history of changes for Undo and Redo, the changed marks, and the windows
// told of each.
#include <algorithm>
#include <filesystem>

#include "common/bytes.hpp"
#include "common/file_io.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  // A file gone from the disk is still loaded under the path it had.
  const auto canonical = [](const std::string& path) {
    std::error_code ignored;
    return std::filesystem::weakly_canonical(path, ignored);
  };
  return error && canonical(a) == canonical(b);
}

}  // namespace

Status Workspace::writeImage(int index, const std::string& path) {
  if (!registry_.contains(index)) return Failure{"No loaded file has the index " + std::to_string(index)};
  const Image image = registry_.image(index);
  Status written =
      WriteFileSafely(path, reinterpret_cast<const char*>(image.data()), static_cast<std::int64_t>(image.size()));
  if (written && history_.changed(index)) {
    history_.saved(index);
    tellHistoryChanged();
  }
  return written;
}

std::optional<int> Workspace::loadedIndexOf(const std::string& path) const {
  for (int i = 0; i < registry_.count(); ++i)
    if (SameFile(registry_.path(i), path)) return i;
  return std::nullopt;
}

ImageEdit Workspace::beginChange(int index, std::string name) {
  return ImageEdit(registry_.contains(index) ? registry_.mutableImage(index) : MutableImage{}, index, std::move(name));
}

Status Workspace::commit(ImageEdit& edit) {
  if (const auto outside = edit.outsideWrite()) {
    edit.takeBack();
    return Failure{"A write at " + Hex8(*outside) + " lies outside the image: nothing changed"};
  }
  ImageChange change = edit.take();
  if (change.patches.empty()) return Success();
  const int index = change.file;
  history_.record(std::move(change));
  tellImageChanged(index);
  tellHistoryChanged();
  return Success();
}

Status Workspace::undo() {
  const ImageChange* change = history_.toUndo();
  if (!change) return Failure{"Nothing to undo"};
  const int index = change->file;
  TakeBack(*change, registry_.mutableImage(index));
  history_.undone();
  tellImageChanged(index);
  tellHistoryChanged();
  return Success();
}

Status Workspace::redo() {
  const ImageChange* change = history_.toRedo();
  if (!change) return Failure{"Nothing to redo"};
  const int index = change->file;
  PutBack(*change, registry_.mutableImage(index));
  history_.redone();
  tellImageChanged(index);
  tellHistoryChanged();
  return Success();
}

std::vector<int> Workspace::changedFiles() const {
  std::vector<int> files;
  for (int i = 0; i < registry_.count(); ++i)
    if (history_.changed(i)) files.push_back(i);
  return files;
}

void Workspace::subscribe(WorkspaceObserver& observer) {
  if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end())
    observers_.push_back(&observer);
}

void Workspace::unsubscribe(WorkspaceObserver& observer) { std::erase(observers_, &observer); }

// An observer may let events in (a viewer shows again), and a window closed
// meanwhile unsubscribes: each is told only while it is still subscribed.
void Workspace::tellImageChanged(int index) {
  const std::vector<WorkspaceObserver*> observers = observers_;
  for (WorkspaceObserver* observer : observers)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) observer->imageChanged(index);
}

void Workspace::tellHistoryChanged() {
  const std::vector<WorkspaceObserver*> observers = observers_;
  for (WorkspaceObserver* observer : observers)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) observer->historyChanged();
}

}  // namespace patchlore
