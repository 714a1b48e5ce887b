#include "viewer/viewer.hpp"

namespace patchlore {

void ViewerCore::showPrograms(const ShowContext&) {}

}  // namespace patchlore
