#pragma once

#include <optional>

#include "drawing_geometry.h"
#include "train_structure.h"

// Curves laid into a map as ordinary points and lines, each line made as a
// build gesture makes one, so that trains run along them.

// The heading of a train leaving the map at Point, an end point: along its
// one line towards Point. None for a point with another number of lines,
// or whose line has no length.
std::optional<double> HeadingAtEnd(const TTrPoint& Point);

// Lays Arc from Start (a point with fewer than three lines, at the arc's
// start) as a chain of lines of the kind Track says, a new point at each
// chord's end; gives the last one. Throws EFloatOverflow or
// EIdentifierOverflow part way: the caller rolls its edit back.
TTrPoint* BuildArc(TTrainStructureSV& Map, TTrPoint* Start, const TArc& Arc,
                   bool Track);

enum class TCornerResult { Rounded, NoCorner, TooLarge };

// Replaces the corner at Point, a plain joint of two lines, by the arc of
// Radius tangent to both (CornerArc): Point moves back along one line to
// the arc's start, the other line now ends at a new point at the arc's end,
// and the arc's chords join the two. NoCorner for a point that is no plain
// joint of two lines or where they go straight on or fold back; TooLarge
// when the lines are too short for the radius. Either changes nothing.
// Throws as BuildArc does.
TCornerResult RoundCorner(TTrainStructureSV& Map, TTrPoint* Point,
                          double Radius);
