#include "tools/file_comparison.hpp"

#include <algorithm>
#include <cstring>

namespace patchlore {

namespace {

enum Column : std::size_t { kFileName, kIndex, kOffset, kByte1, kByte2 };
constexpr std::size_t kFileRows = 2;

// Equal runs are passed over a page (4 KiB) at a time by memcmp.
constexpr std::int64_t kEqualRunStep = std::int64_t{4} << 10;

// The first offset from `from` below `end` where a and b differ, or end.
std::int64_t FirstDifference(const std::uint8_t* a, const std::uint8_t* b, std::int64_t from,
                             std::int64_t end) {
  std::int64_t i = from;
  while (end - i >= kEqualRunStep && std::memcmp(a + i, b + i, kEqualRunStep) == 0) i += kEqualRunStep;
  for (; i + 8 <= end; i += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) break;
  }
  while (i < end && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

std::vector<TableColumn> ComparisonColumns() {
  std::vector<TableColumn> columns = DefaultCatalogueColumns();
  columns[kFileName].caption = "FileName";
  columns[kOffset].caption = "Offset";
  columns[kByte1].caption = "Byte1";
  columns[kByte2].caption = "Byte2";
  return columns;
}

void FileComparison::setFile(int k, std::string name, ReadResult read) {
  File& file = files_[k == 1 ? 0 : 1];
  file.chosen = true;
  file.name = std::move(name);
  if (read) {
    file.bytes = std::move(*read);
    file.size = file.bytes.size();
  }
}

bool FileComparison::comparable() const {
  return files_[0].size != kUnreadFile && files_[1].size != kUnreadFile;
}

std::int64_t FileComparison::commonSize() const {
  return comparable() ? std::min(files_[0].size, files_[1].size) : 0;
}

std::int64_t FileComparison::compareMore(std::int64_t maxBytes) {
  const std::int64_t end = std::min(commonSize(), position_ + std::max<std::int64_t>(maxBytes, 0));
  const std::uint8_t* a = files_[0].bytes.data();
  const std::uint8_t* b = files_[1].bytes.data();
  while (position_ < end) {
    position_ = FirstDifference(a, b, position_, end);
    if (position_ < end) differences_.push_back(position_++);
  }
  return position_;
}

std::optional<std::string> FileComparison::msg() const {
  if (differences_.empty()) return std::nullopt;
  return "Lines: " + std::to_string(count()) + "; notEQ:" + std::to_string(differences_.size());
}

std::size_t FileComparison::count() const {
  const std::size_t fileRows = files_[1].chosen ? 2 : files_[0].chosen ? 1 : 0;
  return fileRows + differences_.size();
}

std::string FileComparison::text(std::size_t row, std::size_t column) const {
  if (row >= count()) return {};
  if (row < kFileRows) return fileRowText(files_[row], static_cast<int>(row) + 1, column);
  return differenceRowText(row - kFileRows, column);
}

std::string FileComparison::fileRowText(const File& file, int k, std::size_t column) const {
  if (column == kFileName) return std::to_string(k) + ": " + file.name;
  if (column == (k == 1 ? kByte1 : kByte2)) return "Bytes:" + std::to_string(file.size);
  return {};
}

std::string FileComparison::differenceRowText(std::size_t k, std::size_t column) const {
  const std::int64_t offset = differences_[k];
  switch (column) {
    case kIndex: return std::to_string(k + 1) + ": not EQ";
    case kOffset: return Hex8(offset);
    case kByte1: return HexPad(files_[0].bytes.data()[offset], 2);
    case kByte2: return HexPad(files_[1].bytes.data()[offset], 2);
    default: return {};
  }
}

}  // namespace patchlore
