#include "viewer/viewer_request.hpp"

#include "viewer/text_helpers.hpp"

namespace patchlore {

ViewerKind ViewerRequest::kind() const { return KindOfPatchCode(patchCode); }

ViewerKind KindOfPatchCode(char code) {
  switch (code) {
    case 'P': return ViewerKind::Program;
    case 'C': return ViewerKind::Combination;
    case 'S': return ViewerKind::Song;
    case 'T': return ViewerKind::SetList;
    case 'D': return ViewerKind::DrumKit;
    case 'W': return ViewerKind::WaveSequence;
    case 'E': return ViewerKind::Sysex;
    default: return ViewerKind::Other;
  }
}

void ViewerRequest::addObject(ViewerObject object) {
  objectOffsets.push_back(object.offset);
  descriptorLines.push_back(std::move(object.descriptorLine));
}

char PatchCodeOf(const std::string& kindWord) {
  const std::string word = UpperCase(kindWord.empty() ? "?" : kindWord);
  if (word == "SETLIST") return 'T';
  if (word == "SYSEX") return 'E';
  return word[0];
}

ViewerRequest MakeViewerRequest(const std::string& kindWord, int fileIndex, const std::string& fileCaption,
                                std::vector<ViewerObject> objects) {
  ViewerRequest request;
  request.patchCode = PatchCodeOf(kindWord);
  request.caption = kindWord + " " + fileCaption;
  request.kindWord = kindWord;
  request.fileIndex = fileIndex;
  for (auto& object : objects) request.addObject(std::move(object));
  return request;
}

ViewerRequest CreationRequest() {
  ViewerRequest request;
  request.kindWord = "Object";
  request.patchCode = PatchCodeOf(request.kindWord);
  return request;
}

}  // namespace patchlore
