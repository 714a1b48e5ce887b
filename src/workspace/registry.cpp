#include "workspace/registry.hpp"

#include "common/bytes.hpp"
#include "common/cp1251.hpp"

namespace patchlore {

const std::vector<ListColumn>& FileListColumns() {
  static const std::vector<ListColumn> columns = {
      {"Index", 44, false}, {"File Name", 180, false}, {"Bytes", 70, true},
      {"Type", 120, false}, {"File Path", 80, false}};
  return columns;
}

int Registry::add(ByteBuffer image, const std::string& path, FileFacts facts, std::string savePath) {
  const int index = count();
  FileRow row{std::to_string(index), Utf8ToCp1251(NameOf(path)), std::to_string(image.size()),
              std::move(facts.typeText), Utf8ToCp1251(FolderOf(path))};
  files_.push_back(
      LoadedFile{std::move(image), std::move(row), path, std::move(savePath), facts.kind, facts.model});
  return index;
}

const std::string& Registry::savePath(int index) const {
  const LoadedFile& file = files_.at(index);
  return file.savePath.empty() ? file.path : file.savePath;
}

std::string FileWindowCaption(const Registry& registry, int index) {
  return std::to_string(index) + ":" + registry.type(index) + " (bytes:" +
         std::to_string(registry.size(index)) + ")" + " \\" + registry.name(index);
}

}  // namespace patchlore
