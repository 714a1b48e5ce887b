#include "workspace/image_history.hpp"

#include <utility>

namespace patchlore {

ImageHistory::Revisions& ImageHistory::revisions(int file) {
  const auto index = static_cast<std::size_t>(file);
  if (files_.size() <= index) files_.resize(index + 1);
  return files_[index];
}

void ImageHistory::record(ImageChange change) {
  while (changes_.size() > done_) {
    recordedBytes_ -= changes_.back().recordedBytes();
    changes_.pop_back();
  }
  Revisions& file = revisions(change.file);
  change.revisionBefore = file.current;
  change.revision = ++lastRevision_;
  file.current = change.revision;
  recordedBytes_ += change.recordedBytes();
  changes_.push_back(std::move(change));
  done_ = changes_.size();
  while (changes_.size() > 1 && (changes_.size() > maxChanges_ || recordedBytes_ > maxRecordedBytes_))
    dropOldest();
}

void ImageHistory::dropOldest() {
  recordedBytes_ -= changes_.front().recordedBytes();
  changes_.pop_front();
  --done_;
}

void ImageHistory::undone() {
  if (done_ == 0) return;
  const ImageChange& change = changes_[--done_];
  revisions(change.file).current = change.revisionBefore;
}

void ImageHistory::redone() {
  if (done_ == changes_.size()) return;
  const ImageChange& change = changes_[done_++];
  revisions(change.file).current = change.revision;
}

bool ImageHistory::changed(int file) const {
  const auto index = static_cast<std::size_t>(file);
  return file >= 0 && index < files_.size() && files_[index].current != files_[index].saved;
}

void ImageHistory::saved(int file) {
  Revisions& revisions = this->revisions(file);
  revisions.saved = revisions.current;
}

}  // namespace patchlore
