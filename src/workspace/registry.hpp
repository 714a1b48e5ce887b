// The registry of loaded files: each file loaded whole as one byte image,
// with its row of the list of loaded files and the facts its load
// established (its kind and model). Entries are only appended, so an index
// keeps meaning the same file until the program ends. The images are read
// here; only the workspace writes into them (Workspace::beginChange).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/byte_buffer.hpp"
#include "formats/model_layout.hpp"

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

// What a loaded file holds, as its load recognised it.
enum class FileKind { Pcg, Sng, SysEx };

// What the load of a file established, set once and never worked out again
// from the row's texts.
struct FileFacts {
  FileKind kind = FileKind::Pcg;
  Model model = Model::None;  // None for SysEx files
  std::string typeText;       // the row's Type: «PCG KORG KRONOS», «SysEx  ; Count:3»
};

class Registry {
 public:
  // Appends the image and its row together; returns the new index. path is
  // the file system path of the file; the row shows its name and folder.
  int add(ByteBuffer image, const std::string& path, FileFacts facts);

  int count() const { return static_cast<int>(files_.size()); }
  bool contains(int index) const { return index >= 0 && index < count(); }
  std::span<const std::uint8_t> image(int index) const { return files_.at(index).image.bytes(); }
  std::int64_t size(int index) const { return files_.at(index).image.size(); }
  const FileRow& row(int index) const { return files_.at(index).row; }
  const std::string& type(int index) const { return row(index).type; }
  const std::string& name(int index) const { return row(index).fileName; }
  const std::string& folder(int index) const { return row(index).filePath; }
  const std::string& path(int index) const { return files_.at(index).path; }
  FileKind kind(int index) const { return files_.at(index).kind; }
  Model model(int index) const { return files_.at(index).model; }

  // The PCG whose program names the combination and song displays use; -1
  // when there is none.
  int linkedPcgIndex() const { return linkedPcgIndex_; }
  void setLinkedPcgIndex(int index) { linkedPcgIndex_ = index; }

 private:
  friend class Workspace;
  std::span<std::uint8_t> mutableImage(int index) { return files_.at(index).image.bytes(); }

  struct LoadedFile {
    ByteBuffer image;
    FileRow row;
    std::string path;
    FileKind kind;
    Model model;
  };
  std::vector<LoadedFile> files_;
  int linkedPcgIndex_ = -1;
};

// The caption of a window that works on one loaded file:
// «0:PCG KORG KRONOS (bytes:6345230) \EXAMPLE.PCG».
std::string FileWindowCaption(const Registry& registry, int index);

}  // namespace patchlore
