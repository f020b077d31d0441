#include "geometry.h"

#include <cmath>
#include <numbers>

#include "errors.h"

namespace {

constexpr int kSignificandBits = 40;

double RoundComponent(double value) {
  if (!std::isfinite(value)) throw EFloatOverflow();
  // Zero keeps its sign, so a negative coordinate that a map file stores as
  // "-0" reads back as a negative zero and is written as "-0" again.
  if (value == 0.0) return value;
  // A whole number below 2^40 has no more bits to lose: the usual case.
  if (std::fabs(value) < 0x1p40 && value == std::trunc(value)) return value;
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);  // 0.5 <= |f| < 1
  // std::round breaks ties away from zero; the product is exact.
  const double kept = std::round(std::ldexp(fraction, kSignificandBits));
  const double rounded = std::ldexp(kept, exponent - kSignificandBits);
  const double magnitude = std::fabs(rounded);
  if (magnitude >= 0x1p127) throw EFloatOverflow();
  if (magnitude < 0x1p-128) return std::copysign(0.0, value);
  return rounded;
}

}  // namespace

TTrVector Vector(double X, double Y, double Z) {
  // All three are rounded before anything is returned, so an overflow in
  // any component leaves the caller's data untouched.
  return TTrVector{RoundComponent(X), RoundComponent(Y), RoundComponent(Z)};
}

void BearingDistance(const TTrVector& A, const TTrVector& B, double& Bearing,
                     double& Distance) {
  // Extended precision for the intermediate results; stored values are
  // rounded to double.
  const long double pi = std::numbers::pi_v<long double>;
  const long double dx = static_cast<long double>(B.X) - A.X;
  const long double dy = static_cast<long double>(B.Y) - A.Y;
  Distance = static_cast<double>(std::sqrt(dx * dx + dy * dy));
  if (dy == 0) {
    Bearing = static_cast<double>(dx >= 0 ? pi / 2 : -pi / 2);
    return;
  }
  long double bearing = std::atan(dx / dy);
  if (dy < 0) bearing = bearing > 0 ? bearing - pi : bearing + pi;
  Bearing = static_cast<double>(bearing);
}
