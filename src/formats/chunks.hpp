// The KORG container: a 16-byte file header followed by nested chunks of a
// 12-byte header (ID, big-endian size of what follows, 4 further bytes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/byte_reader.hpp"
#include "common/bytes.hpp"
#include "common/result.hpp"
#include "formats/model_layout.hpp"

namespace patchlore {

constexpr std::int64_t kChunkHeaderSize = 12;
constexpr std::int64_t kChunkIdWidth = 4;
constexpr std::int64_t kChunkSizeField = 4;  // from the chunk's start: 32-bit size of what follows the header
constexpr std::int64_t kPcg1Offset = 16;
constexpr std::int64_t kPcg1SizeField = kPcg1Offset + kChunkSizeField;
constexpr std::int64_t kFirstPcgChild = 28;

// True for the model bytes the table names ($68 KRONOS, $70 OASYS).
bool IsKnownModel(std::uint8_t modelByte);
// "KRONOS", "OASYS", or the byte's two hex digits for an unknown model.
std::string ModelName(std::uint8_t modelByte);
// The model a known model byte names; None for any other byte.
Model ModelOfByte(std::uint8_t modelByte);

// Walks sibling chunks from a start offset. The walk stays on offsets of at
// least 28 and below n - 1, and ends at a step that does not move forward, so
// no size field can make it loop or read outside the image.
class ChunkWalker {
 public:
  ChunkWalker(Image image, std::int64_t start);

  bool atChunk() const { return !stopped_ && offset_ >= kFirstPcgChild && offset_ < size() - 1; }
  std::int64_t offset() const { return offset_; }
  std::string id() const { return BytesText(image_, offset_, kChunkIdWidth); }
  std::int32_t chunkSize() const { return ReadClippedS32BE(image_, offset_ + kChunkSizeField); }
  void next();
  // True when the walk ended exactly at the end of the image.
  bool complete() const { return offset_ == size(); }

 private:
  std::int64_t size() const { return static_cast<std::int64_t>(image_.size()); }

  Image image_;
  std::int64_t offset_;
  bool stopped_ = false;
};

// Offset of the first top-level chunk of a PCG image with the given ID, or -1.
std::int64_t FindChunk(std::string_view id, Image image);

// Offset where a walk from start ends (the end of the image for a sound
// chain of chunks).
std::int64_t ChunkWalkEnd(Image image, std::int64_t start);

// The PCG length check the catalogue makes; the failure is the error text
// for the status label.
Status CheckPcgLength(Image image);

}  // namespace patchlore
