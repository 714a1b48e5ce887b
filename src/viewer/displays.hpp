// The display of each kind of object a viewer shows.
#pragma once

#include <memory>

#include "viewer/display.hpp"
#include "viewer/viewer_request.hpp"

namespace patchlore {

// The display of the kind for the Show the frame runs; nothing for a kind
// without one.
std::unique_ptr<Display> MakeDisplay(ViewerKind kind, ShowFrame& frame);

}  // namespace patchlore
