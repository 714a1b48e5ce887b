// What a viewer is opened for: the kind of object, the loaded file and the
// offsets of the objects. The caption and the descriptor lines are texts the
// window shows; the viewer reads nothing back from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace patchlore {

enum class ViewerKind { Program, Combination, Song, SetList, DrumKit, WaveSequence, Sysex, Other };

// The kind of a one-letter code ('P' programs, 'T' set lists, 'E' SysEx ...).
ViewerKind KindOfPatchCode(char code);

// One object to show: the descriptor line the viewer lists for it and the
// offset of the object in the file.
struct ViewerObject {
  std::string descriptorLine;
  std::int64_t offset = -1;
};

struct ViewerRequest {
  char patchCode = '?';                      // 'P', 'C', 'S', 'T', 'D', 'W' or 'E'
  std::string caption;                       // kind word + " " + the browser's caption
  std::vector<std::string> descriptorLines;  // the rows' OffsetBox lines, in browser order
  std::string kindWord;                      // e.g. "Prog": the status texts begin with it
  int fileIndex = -1;                        // registry index of the file; -1 for none
  std::vector<std::int64_t> objectOffsets;   // the object of each descriptor line

  ViewerKind kind() const;
  // Adds an object: the line the viewer lists and where the object lies.
  void addObject(ViewerObject object);
};

// The one-letter code of a row's kind word: "SetList" gives 'T', "Sysex"
// gives 'E' (case ignored), any other word its first letter upper-cased; an
// empty word counts as "?".
char PatchCodeOf(const std::string& kindWord);

// The request for objects of one kind of a loaded file.
ViewerRequest MakeViewerRequest(const std::string& kindWord, int fileIndex, const std::string& fileCaption,
                                std::vector<ViewerObject> objects);

// The request a viewer's first Show runs with, before it is opened.
ViewerRequest CreationRequest();

}  // namespace patchlore
