#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry.h"

class TTrainStructureSV;
class TTrPoint;
class TTrack;
class TTrain;

// The entries of a map file as plain values, with lines named by their
// identifiers: what writing a map needs, and nothing that points into it.
// A copy of these can be written while the map itself goes on changing.

// A line end in a file entry: Line is -1 for an empty reference.
struct TLineEndRow {
  int32_t Line = -1;
  uint8_t End = 0;
};

struct TPointRow {
  int32_t Id = 0;
  bool Wall = false;
  std::array<TLineEndRow, 3> Conns;
  TTrVector Pos;
};

struct TTrackRow {
  int32_t Id = 0;
  uint8_t Poles = 0;
  uint8_t Platform = 0;
};

struct TTrainRow {
  int32_t Line = 0;
  uint8_t Dir = 0;
  double Length = 0.0;
};

TPointRow PointRow(const TTrPoint& Point);
TTrackRow TrackRow(const TTrack& Track);
// Only a train that stands on a track can be stored.
bool TrainStorable(const TTrain& Train);
TTrainRow TrainRow(const TTrain& Train);

// The entries of a whole map, in the order of its lists; trains that cannot
// be stored are left out.
struct TMapRows {
  std::vector<TPointRow> Points;
  std::vector<TTrackRow> Tracks;
  std::vector<TTrainRow> Trains;
};

// Fills Rows with the entries of Map, reusing the room Rows already has: a
// copy of a large map then costs no fresh memory.
void TakeRows(const TTrainStructureSV& Map, TMapRows& Rows);
