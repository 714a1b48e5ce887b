#include "formats/chunks.hpp"

#include "common/name_table.hpp"

namespace patchlore {

bool IsKnownModel(std::uint8_t modelByte) { return modelByte == 0x68 || modelByte == 0x70; }

std::string ModelName(std::uint8_t modelByte) {
  static constexpr NamedCode kModels[] = {{"68", "KRONOS"}, {"70", "OASYS"}};
  const char byte = static_cast<char>(modelByte);
  return NameOrCode(kModels, HexText(std::string_view(&byte, 1)));
}

Model ModelOfByte(std::uint8_t modelByte) {
  if (modelByte == 0x68) return Model::Kronos;
  if (modelByte == 0x70) return Model::Oasys;
  return Model::None;
}

ChunkWalker::ChunkWalker(Image image, std::int64_t start) : image_(image), offset_(start) {}

void ChunkWalker::next() {
  const std::int64_t following = offset_ + kChunkHeaderSize + chunkSize();
  if (following <= offset_) {
    stopped_ = true;  // a size that does not move forward would loop
    return;
  }
  offset_ = following;
}

std::int64_t ChunkWalkEnd(Image image, std::int64_t start) {
  ChunkWalker walk(image, start);
  while (walk.atChunk()) walk.next();
  return walk.offset();
}

std::int64_t FindChunk(std::string_view id, Image image) {
  for (ChunkWalker walk(image, kFirstPcgChild); walk.atChunk(); walk.next())
    if (walk.id() == id) return walk.offset();
  return -1;
}

Status CheckPcgLength(Image image) {
  const auto n = static_cast<std::int64_t>(image.size());
  const std::int64_t declared = ReadClippedS32BE(image, kPcg1SizeField);
  if (declared != n - kFirstPcgChild)
    return Failure{"ERROR: PCG uncorrect length. *** Offset=" + Hex8(kPcg1SizeField) + " " +
                   HexText(ReadClippedBytes(image, kPcg1SizeField, 4)) + " *** Must be " + Hex8(n)};
  if (ChunkWalkEnd(image, kFirstPcgChild) != n) return Failure{"ERROR: PCG uncorrect length"};
  return Success();
}

}  // namespace patchlore
