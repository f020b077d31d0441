#pragma once

#include <cmath>

// The nearest integer with halves going to the even neighbour, as the
// floating-point unit rounds by default (0.5 gives 0, 1.5 and 2.5 give 2).
// Equal to std::nearbyint in the default mode, but inlined: a paint rounds
// every coordinate of the map.
inline double RoundHalfEven(double Value) {
  // From 2^52 on every double is whole; below it, adding and taking away
  // 2^52 leaves the rounded value.
  constexpr double kWhole = 4503599627370496.0;
  const double magnitude = std::fabs(Value);
  if (!(magnitude < kWhole)) return Value;
  return std::copysign((magnitude + kWhole) - kWhole, Value);
}
