#include "main_window/window_places.hpp"

#include <algorithm>

namespace patchlore {

Box FitInside(Box box, const Box& area) {
  box.width = std::clamp(box.width, 0, std::max(0, area.width));
  box.height = std::clamp(box.height, 0, std::max(0, area.height));
  box.left = std::clamp(box.left, area.left, area.left + area.width - box.width);
  box.top = std::clamp(box.top, area.top, area.top + area.height - box.height);
  return box;
}

Box NextCascadePlace(const std::optional<Box>& last, int width, int height, const Box& area, int step) {
  Box box{area.left, area.top, std::min(width, area.width), std::min(height, area.height)};
  if (last) {
    box.left = last->left + step;
    box.top = last->top + step;
  }
  if (box.top + box.height > area.top + area.height) box.top = area.top;
  if (box.left + box.width > area.left + area.width) box.left = area.left;
  return FitInside(box, area);
}

}  // namespace patchlore
