// A change of a loaded file's image as byte patches: where each write went,
// the bytes it replaced and the bytes it put there. Undoing a change puts the
// old bytes back in the reverse order of the writes; redoing it puts the new
// ones in their order. Either gives the image byte for byte as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/bytes.hpp"
#include "common/image_writer.hpp"

namespace patchlore {

struct BytePatch {
  std::int64_t offset = 0;
  std::vector<std::uint8_t> before;
  std::vector<std::uint8_t> after;  // as many bytes as before
};

struct ImageChange {
  int file = -1;     // the loaded file changed
  std::string name;  // "Write bank U-A of KRONOS.PCG": what Undo and Redo call it
  std::vector<BytePatch> patches;
  // The file's revision before the change and once it is made: a file is
  // changed in memory while its revision is not the one last saved.
  std::uint64_t revisionBefore = 0;
  std::uint64_t revision = 0;

  // The bytes the change holds: the old and the new bytes of every patch.
  std::int64_t recordedBytes() const;
};

// The patches' old bytes, last patch first / their new bytes, first patch
// first, put into the image the change was made in.
void TakeBack(const ImageChange& change, MutableImage image);
void PutBack(const ImageChange& change, MutableImage image);

// The writer a command changes a loaded image through (Workspace::beginChange
// makes it): each write goes into the image at once, so that the command
// reads what it wrote, and is recorded. An edit that is never committed
// takes its writes back when it goes, so a command that stops half way
// changes nothing.
class ImageEdit final : public ImageWriter {
 public:
  ImageEdit(ImageEdit&& other) noexcept;
  ImageEdit& operator=(ImageEdit&&) = delete;
  ImageEdit(const ImageEdit&) = delete;
  ImageEdit& operator=(const ImageEdit&) = delete;
  ~ImageEdit() override;

  int file() const { return change_.file; }
  Image image() const override { return image_; }
  using ImageWriter::write;
  // A run that does not fit the image is not written; the edit then cannot
  // be committed (outsideWrite says where it was).
  void write(std::int64_t offset, std::span<const std::uint8_t> bytes) override;
  std::optional<std::int64_t> outsideWrite() const { return outside_; }

 private:
  friend class Workspace;
  ImageEdit(MutableImage image, int file, std::string name);
  // The change made, without the bytes that a write left as they were; the
  // edit is closed and no longer takes anything back.
  ImageChange take();
  void takeBack();

  MutableImage image_;
  ImageChange change_;
  std::optional<std::int64_t> outside_;
  bool open_ = true;
};

}  // namespace patchlore
