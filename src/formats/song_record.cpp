#include "formats/song_record.hpp"

#include "common/byte_reader.hpp"
#include "formats/song_layout.hpp"

namespace patchlore {

using namespace song_layout;

SongFacts DecodeSong(Image image, std::int64_t song) {
  SongFacts facts;
  facts.number = ReadU8(image, song + kSongNumber);
  // The name lies after the first inner chunk, whose size is stored; a size
  // that sends it before the image leaves the name empty.
  const std::int64_t name = song + kSongNameAfterHeader + ReadClippedS32BE(image, song + kHeaderChunkSize);
  if (name >= 0) {
    facts.name = ReadClippedBytes(image, name, kNameWidth);
    facts.nameOffset = name;
  }
  return facts;
}

std::string SongLabel(const SongFacts& song) { return song.number ? Concat({"S", ZeroPad(*song.number, 3)}) : "S???"; }

TrackFacts DecodeTrack(Image image, std::int64_t song, int k, const ModelConstants& model) {
  TrackFacts facts;
  const std::int64_t record = TrackRecordOffset(song, k);
  if (record >= 0) facts.name = ReadClippedBytes(image, record + kTrackName, kTrackNameWidth);
  if (const auto state = ReadU8(image, record + kTrackState)) facts.muted = ((*state >> kMuteBit) & 1) != 0;

  const std::int64_t p = TrackParametersOffset(song, k, model);
  facts.parametersComplete = p >= 0 && p + model.timbreSize <= static_cast<std::int64_t>(image.size());
  facts.mixer = DecodeMixer(image, p, kTrackMixer);
  return facts;
}

}  // namespace patchlore
