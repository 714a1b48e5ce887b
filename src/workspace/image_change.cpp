#include "workspace/image_change.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

namespace patchlore {

namespace {

void Put(MutableImage image, std::int64_t offset, const std::vector<std::uint8_t>& bytes) {
  if (!bytes.empty()) std::memcpy(image.data() + offset, bytes.data(), bytes.size());
}

// The patch cut down to the bytes it changes; nothing when it changes none.
std::optional<BytePatch> Trimmed(BytePatch patch) {
  const auto& before = patch.before;
  const auto& after = patch.after;
  std::size_t first = 0;
  std::size_t end = before.size();
  while (first < end && before[first] == after[first]) ++first;
  if (first == end) return std::nullopt;
  while (before[end - 1] == after[end - 1]) --end;
  if (first == 0 && end == before.size()) return patch;
  const auto cut = [first, end](const std::vector<std::uint8_t>& bytes) {
    return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(first),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(end));
  };
  return BytePatch{patch.offset + static_cast<std::int64_t>(first), cut(before), cut(after)};
}

}  // namespace

std::int64_t ImageChange::recordedBytes() const {
  std::int64_t bytes = 0;
  for (const BytePatch& patch : patches)
    bytes += static_cast<std::int64_t>(patch.before.size() + patch.after.size());
  return bytes;
}

void TakeBack(const ImageChange& change, MutableImage image) {
  for (auto patch = change.patches.rbegin(); patch != change.patches.rend(); ++patch)
    Put(image, patch->offset, patch->before);
}

void PutBack(const ImageChange& change, MutableImage image) {
  for (const BytePatch& patch : change.patches) Put(image, patch.offset, patch.after);
}

ImageEdit::ImageEdit(MutableImage image, int file, std::string name) : image_(image) {
  change_.file = file;
  change_.name = std::move(name);
}

ImageEdit::ImageEdit(ImageEdit&& other) noexcept
    : image_(other.image_), change_(std::move(other.change_)), outside_(other.outside_), open_(other.open_) {
  other.open_ = false;
}

ImageEdit::~ImageEdit() { takeBack(); }

void ImageEdit::write(std::int64_t offset, std::span<const std::uint8_t> bytes) {
  if (!open_ || bytes.empty()) return;
  if (!fits(offset, static_cast<std::int64_t>(bytes.size()))) {
    if (!outside_) outside_ = offset;
    return;
  }
  const auto at = image_.begin() + offset;
  BytePatch patch{offset, std::vector<std::uint8_t>(at, at + static_cast<std::ptrdiff_t>(bytes.size())),
                  std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
  Put(image_, offset, patch.after);  // bytes may be a view of this very image
  change_.patches.push_back(std::move(patch));
}

void ImageEdit::takeBack() {
  if (!open_) return;
  TakeBack(change_, image_);
  change_.patches.clear();
  open_ = false;
}

ImageChange ImageEdit::take() {
  ImageChange change;
  change.file = change_.file;
  change.name = change_.name;
  for (BytePatch& patch : change_.patches)
    if (auto changed = Trimmed(std::move(patch))) change.patches.push_back(std::move(*changed));
  change_.patches.clear();
  open_ = false;
  return change;
}

}  // namespace patchlore
