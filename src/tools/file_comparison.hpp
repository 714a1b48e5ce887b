// Comparing two files byte by byte: the rows of the comparison window, one
// per file and one per differing offset. Only the offsets of the differences
// are kept (eight bytes each); every row's texts are computed from them and
// the two files' bytes when the row is shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "workspace/catalogue.hpp"
#include "common/byte_buffer.hpp"
#include "common/file_io.hpp"

namespace patchlore {

// The size a file row shows: the bytes read, or -1 when the file was not read.
constexpr std::int64_t kUnreadFile = -1;

class FileComparison : public ComputedRows {
 public:
  // File k (1 or 2) with its name (no folder) and what reading it gave.
  void setFile(int k, std::string name, ReadResult read);

  // Both files were read, so their common part can be compared.
  bool comparable() const;
  // The bytes compared by compareMore() in all: the smaller size.
  std::int64_t commonSize() const;
  // The size of file k (1 or 2); kUnreadFile when it was not read.
  std::int64_t fileSize(int k) const { return files_[k == 1 ? 0 : 1].size; }
  // Compares up to maxBytes further bytes; the offset reached.
  std::int64_t compareMore(std::int64_t maxBytes);
  bool finished() const { return comparable() && position_ >= commonSize(); }

  std::int64_t differenceCount() const { return static_cast<std::int64_t>(differences_.size()); }
  std::int64_t difference(std::int64_t k) const { return differences_.at(static_cast<std::size_t>(k)); }
  // «Lines: N; notEQ:M», or nothing while no difference was found.
  std::optional<std::string> msg() const;

  std::size_t count() const override;
  std::string text(std::size_t row, std::size_t column) const override;
  std::string descriptorLine(std::size_t) const override { return {}; }

 private:
  struct File {
    bool chosen = false;
    std::string name;
    std::int64_t size = kUnreadFile;
    ByteBuffer bytes;
  };
  std::string fileRowText(const File& file, int k, std::size_t column) const;
  std::string differenceRowText(std::size_t k, std::size_t column) const;

  File files_[2];
  std::int64_t position_ = 0;
  std::vector<std::int64_t> differences_;
};

// The comparison window's columns: "FileName", "Index", "Offset", "Byte1", "Byte2".
std::vector<TableColumn> ComparisonColumns();

}  // namespace patchlore
