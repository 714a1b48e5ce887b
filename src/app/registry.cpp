#include "app/registry.hpp"

#include <cctype>

#include "common/bytes.hpp"
#include "common/cp1251.hpp"

namespace patchlore {

const std::vector<ListColumn>& FileListColumns() {
  static const std::vector<ListColumn> columns = {
      {"Index", 44, false}, {"File Name", 180, false}, {"Bytes", 70, true},
      {"Type", 120, false}, {"File Path", 80, false}};
  return columns;
}

FileKind KindOfType(const std::string& typeText) {
  std::string head = typeText.substr(0, 3);
  for (auto& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (head == "PCG") return FileKind::Pcg;
  if (head == "SNG") return FileKind::Sng;
  if (head == "SYS") return FileKind::SysEx;
  return FileKind::Other;
}

std::string ModelOfFileType(const std::string& type) {
  if (type.find("KORG OASYS") != std::string::npos) return "OASYS";
  if (type.find("KORG KRONOS") != std::string::npos) return "KRONOS";
  return "";
}

int Registry::add(ByteBuffer image, const std::string& path, const std::string& typeText) {
  const int index = count();
  FileRow row{std::to_string(index), Utf8ToCp1251(NameOf(path)), std::to_string(image.size()),
              typeText, Utf8ToCp1251(FolderOf(path))};
  files_.push_back(LoadedFile{std::move(image), std::move(row), path});
  return index;
}

std::string FileWindowCaption(const Registry& registry, int index) {
  return std::to_string(index) + ":" + registry.type(index) + " (bytes:" +
         std::to_string(registry.size(index)) + ")" + " \\" + registry.name(index);
}

}  // namespace patchlore
