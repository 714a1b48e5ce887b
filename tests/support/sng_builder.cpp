#include "support/sng_builder.hpp"

#include <algorithm>

#include "formats/chunks.hpp"
#include "formats/song_layout.hpp"

namespace patchlore::test {

using namespace song_layout;

namespace {
constexpr std::int64_t kSongHeaderSize = kTrackRecords - kChunkHeaderSize;  // song data before the track records
constexpr int kSongTrailerSize = 64;
}  // namespace

SngBuilder::SngBuilder(std::uint8_t model) : model_(model) {}

SngBuilder& SngBuilder::song(const std::string& name, int number, std::uint16_t mutedTracks) {
  songs_.push_back({name, number, mutedTracks, {}});
  return *this;
}

SngBuilder& SngBuilder::track(const TrackPlan& track) {
  songs_.back().tracks.push_back(track);
  return *this;
}

SngBuilder& SngBuilder::sngOffsetField(std::uint32_t value) {
  offsetField_ = value;
  return *this;
}

std::int64_t SngBuilder::sng1Offset() const {
  const auto needed = static_cast<std::uint32_t>(44 + 8 * songs_.size());
  const std::uint32_t field = offsetField_ != 0 ? offsetField_ : std::max<std::uint32_t>(300, needed);
  return kSng1PointerBase + static_cast<std::int64_t>(field);
}

ModelConstants SngBuilder::constants() const {
  return model_ == kOasys ? kOasysConstants : kKronosConstants;
}

// The chunk's data starts 12 bytes into it: each field lies that much earlier.
ChunkNode SngBuilder::songChunk(const SongPlan& s) const {
  ChunkNode song{"SDT1", {}, Bytes(kSongHeaderSize, 0), {}};
  Bytes& data = song.data;
  PutBigEndian32(data, kHeaderChunkSize - kChunkHeaderSize, kSongNameField);
  data[kSongNumber - kChunkHeaderSize] = static_cast<std::uint8_t>(s.number);
  for (int k = 0; k < kTrackCount; ++k) {
    Bytes record(kTrackRecordSize, 0);
    record[kTrackState] = static_cast<std::uint8_t>(((s.mutedTracks >> k) & 1) << kMuteBit);
    if (static_cast<std::size_t>(k) < s.tracks.size()) {
      const TrackPlan& t = s.tracks[static_cast<std::size_t>(k)];
      std::fill(record.begin(), record.begin() + kTrackNameWidth, ' ');
      std::copy(t.name.begin(), t.name.end(), record.begin() + kTrackName);
      record[kTrackState] = t.state;
    }
    data.insert(data.end(), record.begin(), record.end());
  }
  data.resize(data.size() + kSongTrailerSize, 0);
  Bytes name;
  AppendPadded(name, s.name, kNameWidth);
  std::copy(name.begin(), name.end(), data.begin() + kSongNameAfterHeader + kSongNameField - kChunkHeaderSize);
  if (s.tracks.empty()) return song;

  const ModelConstants model = constants();
  data.resize(static_cast<std::size_t>(TrackParametersOffset(0, kTrackCount, model) - kChunkHeaderSize), 0);
  for (std::size_t k = 0; k < s.tracks.size(); ++k) {
    const TrackPlan& t = s.tracks[k];
    const auto p = static_cast<std::size_t>(TrackParametersOffset(0, static_cast<int>(k), model) - kChunkHeaderSize);
    data[p + kProgramNumber] = t.program;
    data[p + kProgramBank] = t.bank;
    data[p + kStatusChannel] = t.statusChannel;
    data[p + kVolume] = t.volume;
    data[p + kTranspose] = static_cast<std::uint8_t>(t.transpose);
    data[p + kPan] = t.pan;
    data[p + kKeyZoneLow] = t.keyZoneFirst;
    data[p + kKeyZoneHigh] = t.keyZoneSecond;
    data[p + kVelocityZoneLow] = t.velocityZoneFirst;
    data[p + kVelocityZoneHigh] = t.velocityZoneSecond;
  }
  return song;
}

Bytes SngBuilder::build() const {
  const std::int64_t o = sng1Offset();
  ChunkNode directory{"SDK1", {}, Bytes(12, 0), {}};
  for (const auto& s : songs_) {
    AppendPadded(directory.data, s.name, 24);
    directory.data.resize(directory.data.size() + 40, 0);
  }
  ChunkNode songChunks{"SGS1", {}, {}, {}};
  for (const SongPlan& s : songs_) songChunks.children.push_back(songChunk(s));
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
  PutBigEndian32(image, kSng1Pointer, static_cast<std::uint32_t>(o - kSng1PointerBase));
  PutBigEndian32(image, 40, static_cast<std::uint32_t>(songs_.size()));
  for (std::size_t i = 0; i < songs_.size(); ++i) {
    const auto entry = static_cast<std::size_t>(kSongNumberTable + kSongNumberEntry * static_cast<std::int64_t>(i));
    if (entry + kSongNumberEntry > static_cast<std::size_t>(o)) break;
    image[entry + kSongNumberInEntry] = static_cast<std::uint8_t>(songs_[i].number);
  }
  sng1.appendTo(image);
  return image;
}

}  // namespace patchlore::test
