#include "main_window/window_places.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

const Box kArea{0, 30, 1000, 700};

TEST(WindowPlacesTest, FitInsideShrinksToTheAreaThenMovesIn) {
  EXPECT_EQ(FitInside({100, 100, 300, 200}, kArea), (Box{100, 100, 300, 200}));
  EXPECT_EQ(FitInside({900, 600, 300, 200}, kArea), (Box{700, 530, 300, 200}));
  EXPECT_EQ(FitInside({-50, 0, 300, 200}, kArea), (Box{0, 30, 300, 200}));
  EXPECT_EQ(FitInside({200, 100, 1200, 900}, kArea), (Box{0, 30, 1000, 700}));
}

TEST(WindowPlacesTest, EachNewWindowIsOneStepFromTheLastAndStaysInTheArea) {
  EXPECT_EQ(NextCascadePlace(std::nullopt, 400, 300, kArea), (Box{0, 30, 400, 300}));
  EXPECT_EQ(NextCascadePlace(Box{100, 100, 50, 50}, 400, 300, kArea), (Box{124, 124, 400, 300}));
  // Past the bottom: back to the top, still a step further right.
  EXPECT_EQ(NextCascadePlace(Box{100, 420, 400, 300}, 400, 300, kArea), (Box{124, 30, 400, 300}));
  // Past the right edge: back to the left.
  EXPECT_EQ(NextCascadePlace(Box{590, 100, 400, 300}, 400, 300, kArea), (Box{0, 124, 400, 300}));
  // Larger than the area: as large as the area.
  EXPECT_EQ(NextCascadePlace(Box{10, 40, 400, 300}, 2000, 2000, kArea), (Box{0, 30, 1000, 700}));
}

}  // namespace
}  // namespace patchlore
