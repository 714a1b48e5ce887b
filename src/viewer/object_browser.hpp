// What the object browser (ObjectBrowserWindow) does with the rows the user selects:
// one viewer per kind of object among them, each handed the descriptor lines
// of its rows, pressed in the order E, T, P, C, S, D, W.
#pragma once

#include <string>
#include <vector>

#include "app/catalogue.hpp"

namespace patchlore {

struct ViewerRequest {
  char patchCode;                            // 'P', 'C', 'S', 'T', 'D', 'W' or 'E'
  std::string caption;                       // kind word + " " + the browser's caption
  std::vector<std::string> descriptorLines;  // the rows' OffsetBox lines, in browser order
};

// The one-letter code of a row's kind word: "SetList" gives 'T', "Sysex"
// gives 'E' (case ignored), any other word its first letter upper-cased; an
// empty word counts as "?".
char PatchCodeOf(const std::string& kindWord);

// The viewers to open for the selected rows, in the order they are pressed.
std::vector<ViewerRequest> ViewerRequestsFor(const Catalogue& catalogue,
                                             const std::vector<int>& selectedRows);

}  // namespace patchlore
