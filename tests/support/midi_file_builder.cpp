#include "support/midi_file_builder.hpp"

#include <algorithm>

namespace patchlore::test {

Bytes VariableLength(std::uint32_t value) {
  Bytes bytes{static_cast<std::uint8_t>(value & 0x7F)};
  for (value >>= 7; value > 0; value >>= 7) bytes.insert(bytes.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  return bytes;
}

MidiFileBuilder& MidiFileBuilder::track() {
  chunks_.push_back({"MTrk", {}});
  return *this;
}

MidiFileBuilder& MidiFileBuilder::event(std::uint32_t delta, const Bytes& bytes) {
  Bytes& data = chunks_.back().data;
  const Bytes time = VariableLength(delta);
  data.insert(data.end(), time.begin(), time.end());
  data.insert(data.end(), bytes.begin(), bytes.end());
  return *this;
}

MidiFileBuilder& MidiFileBuilder::append(std::uint32_t delta, std::uint8_t status, const Bytes& data) {
  Bytes bytes{status};
  const Bytes length = VariableLength(static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), length.begin(), length.end());
  bytes.insert(bytes.end(), data.begin(), data.end());
  return event(delta, bytes);
}

MidiFileBuilder& MidiFileBuilder::sysex(std::uint32_t delta, const Bytes& data) { return append(delta, 0xF0, data); }

MidiFileBuilder& MidiFileBuilder::escape(std::uint32_t delta, const Bytes& data) { return append(delta, 0xF7, data); }

MidiFileBuilder& MidiFileBuilder::meta(std::uint32_t delta, std::uint8_t type, const Bytes& data) {
  Bytes bytes{0xFF, type};
  const Bytes length = VariableLength(static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), length.begin(), length.end());
  bytes.insert(bytes.end(), data.begin(), data.end());
  return event(delta, bytes);
}

MidiFileBuilder& MidiFileBuilder::endOfTrack() { return meta(0, 0x2F, {}); }

MidiFileBuilder& MidiFileBuilder::chunk(const std::string& id, const Bytes& data) {
  chunks_.push_back({id, data});
  return *this;
}

MidiFileBuilder& MidiFileBuilder::announcedTracks(int count) {
  announced_ = count;
  return *this;
}

Bytes MidiFileBuilder::build() const {
  const auto tracks = std::count_if(chunks_.begin(), chunks_.end(), [](const Chunk& c) { return c.id == "MTrk"; });
  const int announced = announced_ >= 0 ? announced_ : static_cast<int>(tracks);
  Bytes file;
  AppendText(file, "MThd");
  AppendBigEndian32(file, 6);
  file.insert(file.end(), {0x00, static_cast<std::uint8_t>(format_), static_cast<std::uint8_t>(announced >> 8),
                           static_cast<std::uint8_t>(announced & 0xFF), 0x00, 0x60});  // 96 ticks a quarter note
  for (const Chunk& chunk : chunks_) {
    AppendText(file, chunk.id);
    AppendBigEndian32(file, static_cast<std::uint32_t>(chunk.data.size()));
    file.insert(file.end(), chunk.data.begin(), chunk.data.end());
  }
  return file;
}

}  // namespace patchlore::test
