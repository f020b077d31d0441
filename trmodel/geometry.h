#pragma once

// Map coordinates and the plane geometry on them. Metres; x to the right,
// y upward. Bearings are radians clockwise from straight up, in (-pi, pi].

struct TTrVector {
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;
};

struct TTrXY {
  double X = 0.0;
  double Y = 0.0;
};

// Builds a position with every component rounded to a 40-bit significand
// (ties away from zero); magnitudes below 2^-128 become 0 of the same
// sign. Throws EFloatOverflow, changing nothing, for a component of 2^127 or
// more after rounding, or one that is not finite.
TTrVector Vector(double X, double Y, double Z);

// Bearing and plane distance from A to B. Two equal positions give pi/2;
// straight down gives +pi, never -pi.
void BearingDistance(const TTrVector& A, const TTrVector& B, double& Bearing,
                     double& Distance);
