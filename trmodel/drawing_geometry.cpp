#include "drawing_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// More chords than this make no visible difference, and bound the work.
constexpr int kMostChords = 100000;

TTrXY Direction(double Heading) {
  return {std::sin(Heading), std::cos(Heading)};
}

// The angle from heading A to heading B, in (-pi, pi].
double HeadingChange(double A, double B) {
  double change = std::remainder(B - A, 2.0 * kPi);
  if (change <= -kPi) change += 2.0 * kPi;
  return change;
}

double HeadingOf(TTrXY From, TTrXY To) {
  return std::atan2(To.X - From.X, To.Y - From.Y);
}

}  // namespace

TTrXY PolarPoint(TTrXY From, double Length, double BearingDegrees) {
  const TTrXY d = Direction(BearingDegrees * kDegree);
  return {From.X + Length * d.X, From.Y + Length * d.Y};
}

double CompassDegrees(TTrXY From, TTrXY To) {
  if (From.X == To.X && From.Y == To.Y) return 0.0;
  double degrees = HeadingOf(From, To) / kDegree;
  if (degrees < 0.0) degrees += 360.0;
  return degrees >= 360.0 ? 0.0 : degrees;
}

double Distance(TTrXY A, TTrXY B) { return std::hypot(B.X - A.X, B.Y - A.Y); }

TTrXY SnapToGrid(TTrXY P, double Spacing) {
  if (!(Spacing > 0.0) || !std::isfinite(Spacing)) return P;
  return {std::round(P.X / Spacing) * Spacing,
          std::round(P.Y / Spacing) * Spacing};
}

TTrXY SnapBearing(TTrXY From, TTrXY To, double StepDegrees) {
  const double length = Distance(From, To);
  if (length == 0.0) return To;
  const double degrees =
      std::round(CompassDegrees(From, To) / StepDegrees) * StepDegrees;
  return PolarPoint(From, length, degrees);
}

double TArc::Length() const { return Radius * std::fabs(Turn); }

TTrXY TArc::At(double Fraction) const {
  // The centre lies to the side the arc turns to.
  const double side = Turn < 0.0 ? -1.0 : 1.0;
  const TTrXY right{std::cos(Heading), -std::sin(Heading)};
  const TTrXY centre{Start.X + side * Radius * right.X,
                     Start.Y + side * Radius * right.Y};
  const double heading = Heading + Turn * Fraction;
  return {centre.X - side * Radius * std::cos(heading),
          centre.Y + side * Radius * std::sin(heading)};
}

int ChordCount(const TArc& Arc) {
  const double turn = std::fabs(Arc.Turn);
  if (!(turn > 0.0) || !(Arc.Radius > 0.0)) return 1;
  // A chord spanning angle a lies Radius * (1 - cos(a / 2)) off the circle
  // at most.
  const double ratio = std::min(kArcTolerance / Arc.Radius, 1.0);
  const double widest = 2.0 * std::acos(1.0 - ratio);
  double count = std::ceil(turn / widest - 1e-9);
  // A chord spanning angle a is 2 * Radius * sin(a / 2) long.
  if (2.0 * Arc.Radius > kShortestChord) {
    const double narrowest =
        2.0 * std::asin(kShortestChord / (2.0 * Arc.Radius));
    count = std::min(count, std::floor(turn / narrowest));
  } else {
    count = 1.0;
  }
  return static_cast<int>(std::clamp(count, 1.0, double{kMostChords}));
}

std::vector<TTrXY> ChordEnds(const TArc& Arc) {
  const int count = ChordCount(Arc);
  std::vector<TTrXY> ends;
  ends.reserve(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) ends.push_back(Arc.At(double(i) / count));
  return ends;
}

std::optional<TArc> ArcThrough(TTrXY Start, double Heading, TTrXY Through) {
  const TTrXY d{Through.X - Start.X, Through.Y - Start.Y};
  const TTrXY ahead = Direction(Heading);
  const double along = d.X * ahead.X + d.Y * ahead.Y;
  // Positive to the right of the heading.
  const double side = d.X * ahead.Y - d.Y * ahead.X;
  const double squared = d.X * d.X + d.Y * d.Y;
  if (squared == 0.0 || side == 0.0) return std::nullopt;
  const double radius = squared / (2.0 * std::fabs(side));
  if (!(radius <= kLongestRadius)) return std::nullopt;
  // The chord leaves at half the turn.
  return TArc{Start, Heading, radius, 2.0 * std::atan2(side, along)};
}

std::optional<double> CornerTurn(TTrXY A, TTrXY P, TTrXY B) {
  if (Distance(A, P) == 0.0 || Distance(P, B) == 0.0) return std::nullopt;
  const double turn = HeadingChange(HeadingOf(A, P), HeadingOf(P, B));
  constexpr double kStraight = 1e-9;
  if (std::fabs(turn) < kStraight || std::fabs(turn) > kPi - kStraight) {
    return std::nullopt;
  }
  return turn;
}

std::optional<TArc> CornerArc(TTrXY A, TTrXY P, TTrXY B, double Radius) {
  if (!(Radius > 0.0) || !std::isfinite(Radius)) return std::nullopt;
  const std::optional<double> corner = CornerTurn(A, P, B);
  if (!corner) return std::nullopt;
  const double in = HeadingOf(A, P);
  const double turn = *corner;
  const double tangent = Radius * std::tan(std::fabs(turn) / 2.0);
  constexpr double kKeptStraight = 0.001;
  if (tangent > Distance(A, P) - kKeptStraight ||
      tangent > Distance(P, B) - kKeptStraight) {
    return std::nullopt;
  }
  const TTrXY back = Direction(in);
  return TArc{
      {P.X - tangent * back.X, P.Y - tangent * back.Y}, in, Radius, turn};
}
