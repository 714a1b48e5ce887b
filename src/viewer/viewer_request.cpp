#include "viewer/viewer_request.hpp"

#include "common/bytes.hpp"
#include "viewer/text_helpers.hpp"

namespace patchlore {

namespace {
constexpr int kOffsetDigits = 8;
}  // namespace

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

void ViewerRequest::addObject(std::string descriptorLine) {
  objectOffsets.push_back(HexValue(descriptorLine, kOffsetDigits));
  descriptorLines.push_back(std::move(descriptorLine));
}

char PatchCodeOf(const std::string& kindWord) {
  const std::string word = UpperCase(kindWord.empty() ? "?" : kindWord);
  if (word == "SETLIST") return 'T';
  if (word == "SYSEX") return 'E';
  return word[0];
}

ViewerRequest MakeViewerRequest(const std::string& kindWord, int fileIndex, const std::string& fileCaption,
                                std::vector<std::string> descriptorLines) {
  ViewerRequest request;
  request.patchCode = PatchCodeOf(kindWord);
  request.caption = kindWord + " " + fileCaption;
  request.kindWord = kindWord;
  request.fileIndex = fileIndex;
  for (auto& line : descriptorLines) request.addObject(std::move(line));
  return request;
}

ViewerRequest CreationRequest() {
  ViewerRequest request;
  request.kindWord = "Object";
  request.patchCode = PatchCodeOf(request.kindWord);
  return request;
}

}  // namespace patchlore
