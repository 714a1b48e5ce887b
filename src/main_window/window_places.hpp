// Where a new window opens and how large: each one a step right of and below
// the window opened before it, so that no window hides another, and all of
// it inside the part of the screen windows may take.
#pragma once

#include <optional>

namespace patchlore {

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box&) const = default;
};

// About the height of a title bar: every caption of a cascade stays readable.
constexpr int kCascadeStep = 24;

// The box made no larger than area, then moved as little as it takes to lie
// inside it.
Box FitInside(Box box, const Box& area);

// A new window of that size, one step right of and below last (the window
// opened before it), or at the area's top left corner when there is none.
// Where it would leave the area at the bottom it starts again at the top,
// still a step further right; at the right edge, again at the left.
Box NextCascadePlace(const std::optional<Box>& last, int width, int height, const Box& area,
                     int step = kCascadeStep);

}  // namespace patchlore
