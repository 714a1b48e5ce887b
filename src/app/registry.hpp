// The registry of loaded files: each file loaded whole as one byte image,
// with its row of the list of loaded files. Entries are only appended, so an
// index keeps meaning the same file until the program ends.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/byte_buffer.hpp"

namespace patchlore {

// The texts of one row: "Index", "File Name", "Bytes", "Type", "File Path".
struct FileRow {
  std::string index;
  std::string fileName;
  std::string bytes;
  std::string type;
  std::string filePath;
};

struct ListColumn {
  std::string caption;
  int width;
  bool rightAligned;
};

// The columns of the list of loaded files, in order.
const std::vector<ListColumn>& FileListColumns();

enum class FileKind { Pcg, Sng, SysEx, Other };
// Classifies a type text by its first three characters, upper-cased.
FileKind KindOfType(const std::string& typeText);

// The model of a file by its type text: "OASYS" when it names "KORG OASYS",
// else "KRONOS" when it names "KORG KRONOS", else "".
std::string ModelOfFileType(const std::string& type);

class Registry {
 public:
  // Appends the image and its row together; returns the new index. path is
  // the file system path of the file; the row shows its name and folder.
  int add(ByteBuffer image, const std::string& path, const std::string& typeText);

  int count() const { return static_cast<int>(files_.size()); }
  std::span<std::uint8_t> image(int index) { return files_.at(index).image.bytes(); }
  std::span<const std::uint8_t> image(int index) const { return files_.at(index).image.bytes(); }
  std::int64_t size(int index) const { return files_.at(index).image.size(); }
  const FileRow& row(int index) const { return files_.at(index).row; }
  const std::string& type(int index) const { return row(index).type; }
  const std::string& name(int index) const { return row(index).fileName; }
  const std::string& folder(int index) const { return row(index).filePath; }
  const std::string& path(int index) const { return files_.at(index).path; }

  // The PCG whose program names the combination and song displays use; -1
  // when there is none.
  int linkedPcgIndex() const { return linkedPcgIndex_; }
  void setLinkedPcgIndex(int index) { linkedPcgIndex_ = index; }

 private:
  struct LoadedFile {
    ByteBuffer image;
    FileRow row;
    std::string path;
  };
  std::vector<LoadedFile> files_;
  int linkedPcgIndex_ = -1;
};

// The caption of a window that works on one loaded file:
// «0:PCG KORG KRONOS (bytes:6345230) \EXAMPLE.PCG».
std::string FileWindowCaption(const Registry& registry, int index);

}  // namespace patchlore
