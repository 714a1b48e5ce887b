// A tree of KORG chunks that serialises itself: each chunk is its 12-byte
// header (ID, big-endian size of what follows, 4 further bytes), its own data,
// then its children in order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace patchlore::test {

using Bytes = std::vector<std::uint8_t>;

struct ChunkNode {
  std::string id;                          // four characters
  std::array<std::uint8_t, 4> extra{};     // header bytes +8..+11
  Bytes data;                              // bytes right after the header
  std::vector<ChunkNode> children;         // after the data

  std::int64_t totalSize() const;          // header included
  void appendTo(Bytes& out) const;
};

void PutBigEndian32(Bytes& out, std::int64_t at, std::uint32_t value);
void AppendBigEndian32(Bytes& out, std::uint32_t value);
void AppendText(Bytes& out, const std::string& text);
// The text cut or padded with blanks to width bytes.
void AppendPadded(Bytes& out, const std::string& text, std::size_t width, char pad = ' ');

}  // namespace patchlore::test
