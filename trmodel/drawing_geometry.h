#pragma once

#include <optional>
#include <vector>

#include "geometry.h"

// The plane geometry of drawing to measure: points at a length and compass
// bearing, snapping, and circular arcs made of chords. Headings are radians
// clockwise from north (y up), as TTrLine::Bearing gives them; a turn is
// positive to the right (clockwise), negative to the left.

inline constexpr double kDegree = 3.14159265358979323846 / 180.0;

// The point Length metres from From at compass bearing BearingDegrees.
TTrXY PolarPoint(TTrXY From, double Length, double BearingDegrees);
// The compass bearing from From to To in degrees, 0 to below 360; 0 when
// they are the same place.
double CompassDegrees(TTrXY From, TTrXY To);
double Distance(TTrXY A, TTrXY B);

// The grid crossing nearest P for lines Spacing apart (P itself for a
// spacing that is no positive finite number).
TTrXY SnapToGrid(TTrXY P, double Spacing);
// To turned about From onto the nearest bearing that is a multiple of
// StepDegrees, at the same distance.
TTrXY SnapBearing(TTrXY From, TTrXY To, double StepDegrees);

// How close the chords of an arc keep to the circle, and the shortest chord
// an arc is cut into (so that a gentle curve does not make a point every
// few centimetres).
inline constexpr double kArcTolerance = 0.01;
inline constexpr double kShortestChord = 1.0;

struct TArc {
  TTrXY Start;
  double Heading = 0.0;  // at Start
  double Radius = 0.0;   // metres, positive
  double Turn = 0.0;     // radians, signed, less than a full circle

  double Length() const;
  double EndHeading() const { return Heading + Turn; }
  // The point of the arc after Fraction (0 to 1) of its turn.
  TTrXY At(double Fraction) const;
};

// How many chords the arc is cut into: as few as keep every chord within
// kArcTolerance of the circle, but no chord shorter than kShortestChord
// unless the arc has only one.
int ChordCount(const TArc& Arc);
// The ends of the chords after Start, the arc's end last.
std::vector<TTrXY> ChordEnds(const TArc& Arc);

// The arc that leaves Start at Heading and passes through Through; none when
// Through lies straight ahead or behind (a radius beyond kLongestRadius) or
// at Start.
inline constexpr double kLongestRadius = 1e6;
std::optional<TArc> ArcThrough(TTrXY Start, double Heading, TTrXY Through);

// The turn at P from the line from A onto the line to B; none when they go
// straight on or fold back.
std::optional<double> CornerTurn(TTrXY A, TTrXY P, TTrXY B);
// The arc of Radius that rounds the corner at P between the straight lines
// from A and to B, tangent to both: it starts on PA and ends on PB. None when
// the lines go straight on or fold back, or when the arc would need more of
// a line than it has (at least a millimetre of each line stays straight).
std::optional<TArc> CornerArc(TTrXY A, TTrXY P, TTrXY B, double Radius);
