#include "support/sng_builder.hpp"

#include <algorithm>

namespace patchlore::test {

namespace {
constexpr int kSongHeaderSize = 40;  // song data before the track records
constexpr int kTrackRecordSize = 36;
constexpr int kSongTrailerSize = 64;
}  // namespace

SngBuilder::SngBuilder(std::uint8_t model) : model_(model) {}

SngBuilder& SngBuilder::song(const std::string& name, int number, std::uint16_t mutedTracks) {
  songs_.push_back({name, number, mutedTracks});
  return *this;
}

SngBuilder& SngBuilder::sngOffsetField(std::uint32_t value) {
  offsetField_ = value;
  return *this;
}

std::int64_t SngBuilder::sng1Offset() const {
  const auto needed = static_cast<std::uint32_t>(44 + 8 * songs_.size());
  const std::uint32_t field = offsetField_ != 0 ? offsetField_ : std::max<std::uint32_t>(300, needed);
  return 36 + static_cast<std::int64_t>(field);
}

Bytes SngBuilder::build() const {
  const std::int64_t o = sng1Offset();
  ChunkNode directory{"SDK1", {}, Bytes(12, 0), {}};
  for (const auto& s : songs_) {
    AppendPadded(directory.data, s.name, 24);
    directory.data.resize(directory.data.size() + 40, 0);
  }
  ChunkNode songChunks{"SGS1", {}, {}, {}};
  for (std::size_t i = 0; i < songs_.size(); ++i) {
    ChunkNode song{"SDT1", {}, Bytes(kSongHeaderSize, 0), {}};
    for (int k = 0; k < 16; ++k) {
      Bytes record(kTrackRecordSize, 0);
      record[25] = (songs_[i].mutedTracks >> k) & 1 ? 0x20 : 0x00;
      song.data.insert(song.data.end(), record.begin(), record.end());
    }
    song.data.resize(song.data.size() + kSongTrailerSize, 0);
    songChunks.children.push_back(std::move(song));
  }
  ChunkNode sng1{"SNG1", {}, {}, {std::move(directory), std::move(songChunks)}};

  Bytes image;
  AppendText(image, "KORG");
  image.push_back(model_);
  image.push_back(0);
  image.push_back(0x02);
  image.push_back(0x00);
  image.resize(static_cast<std::size_t>(o), 0);
  const auto total = static_cast<std::uint32_t>(o + sng1.totalSize());
  PutBigEndian32(image, 24, total);
  PutBigEndian32(image, 32, static_cast<std::uint32_t>(o - 36));
  PutBigEndian32(image, 40, static_cast<std::uint32_t>(songs_.size()));
  for (std::size_t i = 0; i < songs_.size() && 80 + 8 * i + 8 <= static_cast<std::size_t>(o); ++i)
    image[80 + 8 * i + 3] = static_cast<std::uint8_t>(songs_[i].number);
  sng1.appendTo(image);
  return image;
}

}  // namespace patchlore::test
