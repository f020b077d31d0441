#pragma once

#include <string>

#include "train_structure.h"

// Builds maps the way the editor's gestures do, so tests start from the same
// shapes a user makes.
namespace test_maps {

enum class Kind { Track, Wall };

// A build gesture on empty ground: a new start point, a new end point and
// the line, identifiers handed out in that order.
TTrLine* Build(TTrainStructureSV& Map, double X1, double Y1, double X2,
               double Y2, Kind Kind = Kind::Track);

// A build gesture continuing from Start (which has fewer than three lines).
TTrLine* BuildFrom(TTrainStructureSV& Map, TTrPoint* Start, double X2,
                   double Y2, Kind Kind = Kind::Track);

// A small network of every kind of object: a switch at (-50, 0) whose
// siding (line 6) has a platform, a wall below it and a train on the first
// track (line 2).
void BuildNetwork(TTrainStructureSV& Map);

// A drop that merges Gone into Keep through Line, then frees Gone.
void Join(TTrainStructureSV& Map, TTrPoint* Gone, TTrLine* Line,
          TTrPoint* Keep);

// A reference as "ID:END" (the line's Id and the end code), "-" when empty.
std::string Ref(const TTrLineEnd& End);

// The structural problems of Map on one line each; empty when sound.
std::string Problems(const TTrainStructureSV& Map);

}  // namespace test_maps
