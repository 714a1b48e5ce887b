// What the object browser (ObjectBrowserWindow) does with the rows the user selects:
// one viewer per kind of object among them, each handed the descriptor lines
// of its rows and the offsets of their objects, pressed in the order E, T, P,
// C, S, D, W.
#pragma once

#include <string>
#include <vector>

#include "workspace/catalogue.hpp"
#include "viewer/viewer_request.hpp"

namespace patchlore {

// The viewers to open for the selected rows, in the order they are pressed.
std::vector<ViewerRequest> ViewerRequestsFor(const Catalogue& catalogue,
                                             const std::vector<int>& selectedRows);

}  // namespace patchlore
