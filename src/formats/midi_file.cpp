#include "formats/midi_file.hpp"

#include <optional>
#include <string>
#include <vector>

#include "common/byte_reader.hpp"
#include "formats/midi_file_layout.hpp"

namespace patchlore {

namespace {

using namespace midi_file_layout;

std::string OffsetText(std::int64_t offset) { return Concat({"$", Hex8(offset)}); }

// One chunk of the file: where its data begin and end.
struct Chunk {
  std::string id;
  std::int64_t offset;
  std::int64_t dataBegin;
  std::int64_t dataEnd;
};

Result<Chunk> ChunkAt(Image file, std::int64_t offset) {
  const auto size = static_cast<std::int64_t>(file.size());
  if (size - offset < kChunkHeaderSize)
    return Failure{"The file ends inside the chunk header at offset " + OffsetText(offset) + " (" +
                   std::to_string(size - offset) + " of " + std::to_string(kChunkHeaderSize) +
                   " bytes)"};
  const std::int64_t length = *ReadU32BE(file, offset + kChunkLength);
  const std::int64_t dataBegin = offset + kChunkHeaderSize;
  if (length > size - dataBegin)
    return Failure{"The chunk at offset " + OffsetText(offset) + " is " + std::to_string(length) +
                   " bytes long, past the end of the file (bytes that follow: " + std::to_string(size - dataBegin) +
                   ")"};
  return Chunk{BytesText(file, offset + kChunkId, kChunkIdSize), offset, dataBegin, dataBegin + length};
}

// What the header chunk announces, and where the first chunk after it starts.
struct MidiFileHeader {
  int trackCount;
  std::int64_t end;
};

Result<MidiFileHeader> HeaderOf(Image file) {
  if (BytesText(file, kChunkId, kChunkIdSize) != kHeaderChunkId)
    return Failure{"Not a MIDI file: no header chunk \"MThd\" at offset " + OffsetText(0)};
  const Result<Chunk> header = ChunkAt(file, 0);
  if (!header) return header.failure();
  const std::int64_t length = header->dataEnd - header->dataBegin;
  if (length < kShortestHeaderData)
    return Failure{"The header chunk is " + std::to_string(length) + " bytes long, at least " +
                   std::to_string(kShortestHeaderData) + " expected"};
  const int format = *ReadU16BE(file, header->dataBegin + kFormat);
  if (format > kLastFormat)
    return Failure{"Unknown MIDI file format " + std::to_string(format) + " (0, 1 or 2 expected)"};
  return MidiFileHeader{*ReadU16BE(file, header->dataBegin + kTrackCount), header->dataEnd};
}

// The events of one track chunk, read byte by byte within its bounds.
class TrackReader {
 public:
  TrackReader(Image file, int number, const Chunk& chunk)
      : file_(file), number_(number), position_(chunk.dataBegin), end_(chunk.dataEnd) {}

  bool atEnd() const { return position_ >= end_; }
  std::int64_t position() const { return position_; }
  std::uint8_t peek() const { return file_[static_cast<std::size_t>(position_)]; }  // not at the end

  Result<std::uint8_t> readByte(std::int64_t eventOffset) {
    if (atEnd()) return endsInside(eventOffset);
    return file_[static_cast<std::size_t>(position_++)];
  }

  Result<std::int64_t> readVariableLength(std::int64_t eventOffset) {
    const std::int64_t start = position_;
    std::int64_t value = 0;
    for (int i = 0; i < kLongestVariableLength; ++i) {
      if (atEnd()) return endsInside(eventOffset);
      const std::uint8_t byte = file_[static_cast<std::size_t>(position_++)];
      value = (value << 7) | (byte & kSevenBits);
      if ((byte & kMoreBytesFlag) == 0) return value;
    }
    return failure(start, "a variable-length number longer than " + std::to_string(kLongestVariableLength) +
                              " bytes");
  }

  // The length bytes of an event's data, a view into the file.
  Result<Image> readData(std::int64_t eventOffset, std::int64_t length) {
    if (length > end_ - position_)
      return failure(eventOffset, "the event's " + std::to_string(length) +
                                      " data bytes run past the end of the track (bytes left: " +
                                      std::to_string(end_ - position_) + ")");
    const Image data = file_.subspan(static_cast<std::size_t>(position_), static_cast<std::size_t>(length));
    position_ += length;
    return data;
  }

  void skipByte() { ++position_; }  // not at the end
  void skipToEnd() { position_ = end_; }

  Failure failure(std::int64_t offset, const std::string& what) const {
    return Failure{"Track " + std::to_string(number_) + " at offset " + OffsetText(offset) + ": " + what};
  }

 private:
  Failure endsInside(std::int64_t eventOffset) const {
    return failure(eventOffset, "the track ends inside an event");
  }

  Image file_;
  int number_;
  std::int64_t position_;
  std::int64_t end_;
};

// The messages of the F0 and F7 events, back to back, and the one still open.
class SysexCollector {
 public:
  Status add(std::uint8_t status, Image data, std::int64_t eventOffset, const TrackReader& track) {
    if (open_ && status == kSysexEvent)
      return track.failure(*open_, "the SysEx message is not closed before the next one begins at offset " +
                                       OffsetText(eventOffset));
    if (status == kSysexEvent) {
      begin(data, eventOffset);
    } else if (open_) {
      append(data);
    } else if (!data.empty() && data[0] == kSysexEvent) {  // an escape that holds a message
      begin(data.subspan(1), eventOffset);
    }
    return Success();
  }

  Status endTrack(const TrackReader& track) const {
    if (open_) return track.failure(*open_, "the SysEx message is never closed: the track ends first");
    return Success();
  }

  ByteBuffer image() const { return ByteBuffer::CopyOf(messages_); }

 private:
  void begin(Image data, std::int64_t eventOffset) {
    messages_.push_back(kSysexEvent);
    open_ = eventOffset;
    append(data);
  }

  void append(Image data) {
    messages_.insert(messages_.end(), data.begin(), data.end());
    if (messages_.back() == kEndOfExclusive) open_.reset();
  }

  std::vector<std::uint8_t> messages_;
  std::optional<std::int64_t> open_;  // the offset of the event that began it
};

// Program change and channel pressure carry one data byte, the others two.
std::int64_t ChannelDataLength(std::uint8_t status) {
  const std::uint8_t kind = status & kChannelStatusKind;
  return kind == kProgramChange || kind == kChannelPressure ? 1 : 2;
}

// No status byte is below $80, so this marks the lack of a running status.
constexpr std::uint8_t kNoRunningStatus = 0;

// Reads the event after a delta time; the running status is kept across
// channel messages and dropped at any other event.
Status ReadEvent(TrackReader& track, std::uint8_t& running, SysexCollector& sysex) {
  const std::int64_t at = track.position();
  std::uint8_t status = track.peek();
  if (status < kFirstStatus) {
    if (running == kNoRunningStatus) return track.failure(at, "running status with no status byte before it");
    status = running;
  } else {
    track.skipByte();
  }
  if (status < kFirstSystemStatus) {
    running = status;
    const Result<Image> data = track.readData(at, ChannelDataLength(status));
    if (!data) return data.failure();
    return Success();
  }
  running = kNoRunningStatus;
  if (status != kMetaEvent && status != kSysexEvent && status != kEscapeEvent)
    return track.failure(at, "the status byte $" + HexPad(status, 2) + " cannot stand in a MIDI file");
  std::optional<std::uint8_t> metaType;
  if (status == kMetaEvent) {
    const Result<std::uint8_t> type = track.readByte(at);
    if (!type) return type.failure();
    metaType = *type;
  }
  const Result<std::int64_t> length = track.readVariableLength(at);
  if (!length) return length.failure();
  const Result<Image> data = track.readData(at, *length);
  if (!data) return data.failure();
  if (metaType == kEndOfTrackMeta) track.skipToEnd();  // whatever follows it is not read
  if (metaType) return Success();
  return sysex.add(status, *data, at, track);
}

Status ReadTrack(TrackReader& track, SysexCollector& sysex) {
  std::uint8_t running = kNoRunningStatus;
  while (!track.atEnd()) {
    const std::int64_t at = track.position();
    const Result<std::int64_t> delta = track.readVariableLength(at);
    if (!delta) return delta.failure();
    if (track.atEnd()) return track.failure(at, "the track ends inside an event");
    if (const Status read = ReadEvent(track, running, sysex); !read) return read;
  }
  return sysex.endTrack(track);
}

}  // namespace

Result<ByteBuffer> SysexOfMidiFile(Image file) {
  const Result<MidiFileHeader> header = HeaderOf(file);
  if (!header) return header.failure();
  SysexCollector sysex;
  int tracks = 0;
  for (std::int64_t offset = header->end; offset < static_cast<std::int64_t>(file.size());) {
    const Result<Chunk> chunk = ChunkAt(file, offset);
    if (!chunk) return chunk.failure();
    if (chunk->id == kTrackChunkId) {  // chunks of other kinds are passed over
      TrackReader track(file, ++tracks, *chunk);
      if (const Status read = ReadTrack(track, sysex); !read) return read.failure();
    }
    offset = chunk->dataEnd;
  }
  if (tracks < header->trackCount)
    return Failure{"The header announces " + std::to_string(header->trackCount) + " tracks, the file holds " +
                   std::to_string(tracks)};
  return sysex.image();
}

}  // namespace patchlore
