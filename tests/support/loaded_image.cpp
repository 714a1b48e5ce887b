#include "support/loaded_image.hpp"

#include <algorithm>
#include <stdexcept>

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

void Poke(Workspace& workspace, int index, std::int64_t offset, std::uint8_t value) {
  ImageEdit edit = workspace.beginChange(index, "test");
  edit.write(offset, value);
  if (!workspace.commit(edit)) throw std::logic_error("a test poked outside the image");
}

}  // namespace patchlore::test
