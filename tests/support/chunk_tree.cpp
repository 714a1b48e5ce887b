#include "support/chunk_tree.hpp"

namespace patchlore::test {

std::int64_t ChunkNode::totalSize() const {
  std::int64_t size = 12 + static_cast<std::int64_t>(data.size());
  for (const auto& child : children) size += child.totalSize();
  return size;
}

void ChunkNode::appendTo(Bytes& out) const {
  AppendPadded(out, id, 4);
  AppendBigEndian32(out, static_cast<std::uint32_t>(totalSize() - 12));
  out.insert(out.end(), extra.begin(), extra.end());
  out.insert(out.end(), data.begin(), data.end());
  for (const auto& child : children) child.appendTo(out);
}

void PutBigEndian32(Bytes& out, std::int64_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.at(at + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void AppendBigEndian32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (24 - 8 * i)));
}

void AppendText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void AppendPadded(Bytes& out, const std::string& text, std::size_t width, char pad) {
  for (std::size_t i = 0; i < width; ++i)
    out.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : pad));
}

}  // namespace patchlore::test
