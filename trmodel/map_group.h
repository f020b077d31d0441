#pragma once

#include <functional>
#include <vector>

#include "map_objects.h"
#include "object_set.h"
#include "train_structure.h"
#include "world_box.h"

// Objects of one map taken together: what a user selects and then edits,
// copies or deletes as one.
struct TObjectGroup {
  TObjectSet<TTrPoint> Points = {};
  TObjectSet<TTrLine> Lines = {};
  TObjectSet<TTrain> Trains = {};

  bool Empty() const {
    return Points.Empty() && Lines.Empty() && Trains.Empty();
  }
  bool operator==(const TObjectGroup&) const = default;
};

// The points a group stands on, in list order: its points, both points of
// each of its lines and of the line each of its trains stands on. Moving
// them moves the whole group; trains move with their track.
std::vector<TTrPoint*> GroupPoints(const TTrainStructureSV& Map,
                                   const TObjectGroup& Group);

// The box around Points; Points must not be empty.
TWorldBox PointsBox(const std::vector<TTrPoint*>& Points);

// Puts each of Points, which stood at From (one place for each), at
// To(its place in From), its height kept. Throws EFloatOverflow for a place
// too large; the points before it have moved then, which the caller's edit
// takes back.
void PlacePoints(TTrainStructureSV& Map, const std::vector<TTrPoint*>& Points,
                 const std::vector<TTrVector>& From,
                 const std::function<TTrXY(const TTrVector&)>& To);

// Deletes every object of Group as deleting it alone would: its trains, its
// lines (with the trains on them), its points (with their lines). An object
// that went with another is passed over.
void DeleteGroup(TTrainStructureSV& Map, const TObjectGroup& Group);

// Everything joined by lines to what Group stands on: every point and line
// reached from its points along lines, and the trains on those lines.
TObjectGroup ConnectedGroup(const TTrainStructureSV& Map,
                            const TObjectGroup& Group);

// The objects of each kind whose boxes lie wholly inside Box: points, lines
// with both points, trains with both ends; each in list order.
std::vector<TTrPoint*> PointsInside(const TTrainStructureSV& Map,
                                    const TWorldBox& Box);
std::vector<TTrLine*> LinesInside(const TTrainStructureSV& Map,
                                  const TWorldBox& Box);
std::vector<TTrain*> TrainsInside(const TTrainStructureSV& Map,
                                  const TWorldBox& Box);
