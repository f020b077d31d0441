#include "background_placement.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

void ExpectWorld(const TBackgroundPlacement& Placement, double U, double V,
                 double X, double Y) {
  double x = 0.0;
  double y = 0.0;
  Placement.WorldOf(U, V, x, y);
  EXPECT_NEAR(x, X, 1e-9) << U << "," << V;
  EXPECT_NEAR(y, Y, 1e-9) << U << "," << V;
}

// By numbers: the corner, then metres per pixel to the right and down;
// turned clockwise, "right" on the picture points down in the world.
TEST(BackgroundPlacement, NumbersPlaceTheCornerAndScaleAndTurn) {
  TBackgroundPlacement placement{-100.0, 200.0, 0.5, 0.0};
  ExpectWorld(placement, 0, 0, -100, 200);
  ExpectWorld(placement, 400, 0, 100, 200);
  ExpectWorld(placement, 400, 300, 100, 50);
  placement.Turn = 90.0;
  ExpectWorld(placement, 400, 0, -100, 0);
  ExpectWorld(placement, 0, 300, -250, 200);
}

// Two reference points fix scale, turn and corner; the same two given the
// other way round give the same placement, and it maps every spot of the
// picture alike.
TEST(BackgroundPlacement, TwoReferencePointsScaleAndTurnInEitherOrder) {
  const TReferencePoint a{100, 100, 1000, 2000};
  const TReferencePoint b{300, 100, 1000, 1600};
  const TBackgroundPlacement placement = PlacementFromReferences(a, b);
  EXPECT_NEAR(placement.MetresPerPixel, 2.0, 1e-12);
  EXPECT_NEAR(placement.Turn, 90.0, 1e-9);
  ExpectWorld(placement, a.U, a.V, a.X, a.Y);
  ExpectWorld(placement, b.U, b.V, b.X, b.Y);
  ExpectWorld(placement, 0, 0, 1200, 2200);

  const TBackgroundPlacement swapped = PlacementFromReferences(b, a);
  EXPECT_NEAR(swapped.Left, placement.Left, 1e-9);
  EXPECT_NEAR(swapped.Top, placement.Top, 1e-9);
  EXPECT_NEAR(swapped.MetresPerPixel, placement.MetresPerPixel, 1e-12);
  EXPECT_NEAR(swapped.Turn, placement.Turn, 1e-9);

  // Unturned, at a fraction of a metre, with the points anywhere.
  const TBackgroundPlacement plain =
      PlacementFromReferences({10, 50, 5, 25}, {-30, 20, -15, 40});
  EXPECT_NEAR(plain.MetresPerPixel, 0.5, 1e-12);
  EXPECT_NEAR(plain.Turn, 0.0, 1e-9);
  EXPECT_NEAR(plain.Left, 0.0, 1e-9);
  EXPECT_NEAR(plain.Top, 50.0, 1e-9);
}

TEST(BackgroundPlacement, ReferencePointsThatFixNothingAreRefused) {
  EXPECT_THROW(PlacementFromReferences({5, 5, 0, 0}, {5, 5, 10, 10}),
               std::invalid_argument);
  EXPECT_THROW(PlacementFromReferences({5, 5, 3, 3}, {9, 5, 3, 3}),
               std::invalid_argument);
  EXPECT_THROW(PlacementFromReferences({0, 0, 0, 0}, {1e-300, 0, 1e300, 0}),
               std::invalid_argument);
}

}  // namespace
