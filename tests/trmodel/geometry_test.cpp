#include "geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "errors.h"
#include "map_builder.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(Vector, RoundsEachComponentToFortyBits) {
  const TTrVector v = Vector(0.1, -0.1, 1.0 / 3.0);
  EXPECT_EQ(v.X, 0.1000000000000227373675443232059478759765625);
  EXPECT_EQ(v.Y, -0.1000000000000227373675443232059478759765625);
  EXPECT_EQ(v.Z, std::ldexp(std::round(std::ldexp(1.0 / 3.0, 41)), -41));
}

TEST(Vector, KeepsValuesThatFitUnchanged) {
  EXPECT_EQ(Vector(1234.5, 0, 0).X, 1234.5);
  EXPECT_EQ(Vector(0x1p40 - 1, 0, 0).X, 0x1p40 - 1);
  EXPECT_EQ(Vector(-(0x1p40 - 1), 0, 0).X, -(0x1p40 - 1));
  EXPECT_EQ(Vector(0, 0, 0x1p-128).Z, 0x1p-128);
}

TEST(Vector, BreaksTiesAwayFromZero) {
  // 1 + 2^-40 lies halfway between two 40-bit values.
  EXPECT_EQ(Vector(1 + 0x1p-40, 0, 0).X, 1 + 0x1p-39);
  EXPECT_EQ(Vector(-(1 + 0x1p-40), 0, 0).X, -(1 + 0x1p-39));
  EXPECT_EQ(Vector(1 + 0x1p-41, 0, 0).X, 1.0);
  // Above 2^40 the step is 2: odd integers are ties.
  EXPECT_EQ(Vector(0x1p40 + 1, 0, 0).X, 0x1p40 + 2);
  EXPECT_EQ(Vector(0x1p40 + 3, 0, 0).X, 0x1p40 + 4);
  EXPECT_EQ(Vector(0x1p40 + 0.5, 0, 0).X, 0x1p40);
}

TEST(Vector, FlushesTinyMagnitudesToZero) {
  EXPECT_EQ(Vector(0x1p-129, 0, 0).X, 0.0);
  EXPECT_EQ(Vector(-0x1.fffp-129, 0, 0).X, 0.0);
  // The sign stays, so that a coordinate written as "-0" reads back as "-0".
  EXPECT_TRUE(std::signbit(Vector(-0x1p-200, 0, 0).X));
  EXPECT_TRUE(std::signbit(Vector(-0.0, 0, 0).X));
  EXPECT_FALSE(std::signbit(Vector(0x1p-200, 0, 0).X));
  // Just below 2^-128 rounds up to it and is kept.
  EXPECT_EQ(Vector(0x1p-128 * (1 - 0x1p-45), 0, 0).X, 0x1p-128);
}

TEST(Vector, RaisesOverflowAtTwoToThe127AfterRounding) {
  const double justBelow = 0x1p127 * (1 - 0x1p-40);
  EXPECT_EQ(Vector(justBelow, 0, 0).X, justBelow);
  EXPECT_EQ(Vector(-justBelow, 0, 0).X, -justBelow);
  EXPECT_THROW(Vector(0x1p127, 0, 0), EFloatOverflow);
  EXPECT_THROW(Vector(0, -0x1p127, 0), EFloatOverflow);
  // Rounds up to 2^127.
  EXPECT_THROW(Vector(0, 0, 0x1p127 * (1 - 0x1p-45)), EFloatOverflow);
  EXPECT_THROW(Vector(std::numeric_limits<double>::infinity(), 0, 0),
               EFloatOverflow);
  EXPECT_THROW(Vector(0, std::numeric_limits<double>::quiet_NaN(), 0),
               EFloatOverflow);
  try {
    Vector(1e300, 0, 0);
    FAIL() << "no overflow raised";
  } catch (const EFloatOverflow& error) {
    EXPECT_STREQ(error.what(), "Floating point overflow");
  }
}

TEST(Vector, OverflowLeavesThePointUnmade) {
  EXPECT_THROW(TTrPoint(0, 1e40, 0), EFloatOverflow);
  const TTrPoint point(0.1, 2, 3);
  EXPECT_EQ(point.Pos.X, Vector(0.1, 0, 0).X);
  EXPECT_EQ(point.Pos.Z, 3.0);
  EXPECT_EQ(point.Id, 0);
  EXPECT_EQ(point.LineCount(), 0);
}

struct BearingCase {
  double x, y, bearing, distance;
};

TEST(BearingDistance, MeasuresClockwiseFromUp) {
  const BearingCase cases[] = {
      {0, 10, 0, 10},
      {10, 0, kPi / 2, 10},
      {0, -10, kPi, 10},
      {-10, 0, -kPi / 2, 10},
      {0, 0, kPi / 2, 0},
      {-1, -1, -3 * kPi / 4, std::sqrt(2.0)},
      {1, -1, 3 * kPi / 4, std::sqrt(2.0)},
      {3, 4, std::atan2(3.0, 4.0), 5},
  };
  const TTrVector origin{0, 0, 0};
  for (const BearingCase& c : cases) {
    double bearing = 99;
    double distance = 99;
    BearingDistance(origin, TTrVector{c.x, c.y, 7}, bearing, distance);
    EXPECT_DOUBLE_EQ(bearing, c.bearing) << c.x << "," << c.y;
    EXPECT_DOUBLE_EQ(distance, c.distance) << c.x << "," << c.y;
  }
}

TEST(BearingDistance, StraightDownIsPlusPiEvenFromNegativeZero) {
  double bearing = 0;
  double distance = 0;
  BearingDistance(TTrVector{5, 5, 0}, TTrVector{5, -5, 0}, bearing, distance);
  EXPECT_EQ(bearing, kPi);
  BearingDistance(TTrVector{0.0, 0, 0}, TTrVector{-0.0, -3, 0}, bearing,
                  distance);
  EXPECT_EQ(bearing, kPi);
  EXPECT_EQ(distance, 3.0);
}

TEST(LineGeometry, BearingAndLengthRunFromP1ToP2) {
  TTrainStructureSV map;
  TTrLine* line = test_maps::Build(map, 10, 10, 10, -20);
  EXPECT_EQ(line->Bearing(), kPi);
  EXPECT_EQ(line->Length(), 30.0);
  TTrLine* diagonal = test_maps::Build(map, 0, 0, -30, 40);
  EXPECT_DOUBLE_EQ(diagonal->Bearing(), -std::atan2(30.0, 40.0));
  EXPECT_EQ(diagonal->Length(), 50.0);
}

}  // namespace
