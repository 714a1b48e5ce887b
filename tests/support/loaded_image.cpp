#include "support/loaded_image.hpp"

#include <algorithm>

namespace patchlore::test {

FileFacts FactsOfType(const std::string& type) {
  FileFacts facts{FileKind::Pcg, Model::None, type};
  if (type.rfind("SNG", 0) == 0) facts.kind = FileKind::Sng;
  if (type.rfind("SysEx", 0) == 0 || type.rfind("SYSEX", 0) == 0) facts.kind = FileKind::SysEx;
  if (type.find("KORG KRONOS") != std::string::npos) facts.model = Model::Kronos;
  if (type.find("KORG OASYS") != std::string::npos) facts.model = Model::Oasys;
  return facts;
}

int AddToRegistry(Registry& registry, const Bytes& image, const std::string& path, const std::string& type) {
  return registry.add(ByteBuffer::CopyOf(image), path, FactsOfType(type));
}

}  // namespace patchlore::test
