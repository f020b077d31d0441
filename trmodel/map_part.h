#pragma once

#include <memory>
#include <vector>

#include "map_group.h"
#include "train_structure.h"

// A part of a map taken out as a map of its own, as the clipboard holds it,
// and put into another.

// The part of Map standing on Points (points of Map, each taken once):
// those points, the lines both of whose points are among them with their
// track properties, and the trains standing on the tracks among those lines;
// each list in Map's order, identifiers and heights kept. A point keeps its
// references to the lines taken, in their order, so that a switch with its
// three lines keeps its layout; the links at every point follow the link rule.
std::unique_ptr<TTrainStructureSV> CopyPart(
    const TTrainStructureSV& Map, const std::vector<TTrPoint*>& Points);

// Appends a copy of Part to Map, every place moved by (DX, DY), through
// Map's own operations, so an edit under way records it. Every point and
// line gets a new identifier from NextId, in Part's order; when NextId
// cannot hand out that many in a row, it throws EIdentifierOverflow and
// changes nothing. A place too large to store throws EFloatOverflow, what
// was appended before it staying for the edit to take back. Gives the
// objects appended.
TObjectGroup PastePart(TTrainStructureSV& Map, const TTrainStructureSV& Part,
                       double DX, double DY);
