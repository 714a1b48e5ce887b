// The changes made to the loaded images, for Undo and Redo, and the revision
// of each loaded file that says whether it is changed in memory.
//
// The history is bounded: it keeps at most kMaxChanges changes and at most
// kMaxRecordedBytes of recorded bytes (the old and the new bytes of every
// patch); beyond either, the oldest changes are forgotten and can no longer
// be undone. The newest change is always kept, however large. A Write of a
// whole bank of 128 combinations records about 2 MB, so the bound holds some
// thirty of them, and any number of renames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "workspace/image_change.hpp"

namespace patchlore {

class ImageHistory {
 public:
  static constexpr std::size_t kMaxChanges = 100;
  static constexpr std::int64_t kMaxRecordedBytes = std::int64_t{64} << 20;

  ImageHistory() = default;
  // Other bounds, for a test that would otherwise record 64 MiB.
  ImageHistory(std::size_t maxChanges, std::int64_t maxRecordedBytes)
      : maxChanges_(maxChanges), maxRecordedBytes_(maxRecordedBytes) {}

  // A change just made: it gets the file's next revision. The changes that
  // were undone can no longer be redone; the oldest beyond the bound go.
  void record(ImageChange change);

  // The change Undo takes back / Redo makes again; null when there is none.
  const ImageChange* toUndo() const { return done_ > 0 ? &changes_[done_ - 1] : nullptr; }
  const ImageChange* toRedo() const { return done_ < changes_.size() ? &changes_[done_] : nullptr; }
  // The change of toUndo was taken back / that of toRedo made again.
  void undone();
  void redone();

  std::size_t count() const { return changes_.size(); }
  std::int64_t recordedBytes() const { return recordedBytes_; }

  // Whether the file's image differs from the one it was loaded with or last
  // saved as, by the changes made since.
  bool changed(int file) const;
  // The image of the file as it stands was written to disk.
  void saved(int file);

 private:
  struct Revisions {
    std::uint64_t current = 0;  // 0: as loaded
    std::uint64_t saved = 0;
  };
  Revisions& revisions(int file);
  void dropOldest();

  std::size_t maxChanges_ = kMaxChanges;
  std::int64_t maxRecordedBytes_ = kMaxRecordedBytes;
  std::deque<ImageChange> changes_;
  std::size_t done_ = 0;  // changes_[0, done_) are made, the rest undone
  std::int64_t recordedBytes_ = 0;
  std::vector<Revisions> files_;  // by registry index; files past its end are as loaded
  std::uint64_t lastRevision_ = 0;
};

}  // namespace patchlore
