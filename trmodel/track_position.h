#pragma once

#include <cstdint>

#include "geometry.h"

class TTrLine;

// A place on the track network: Offset metres from the end at which it
// entered Line. Dir 1 travels from P1 toward P2, any other code from P2
// toward P1. Once Line is null the position has run off the track for good.
class TTrackPosition {
 public:
  TTrLine* Line = nullptr;
  double Offset = 0.0;
  uint8_t Dir = 1;

  TTrackPosition() = default;
  // Enters ALine in direction ADir, then advances AOffset metres.
  TTrackPosition(TTrLine* ALine, double AOffset, uint8_t ADir);

  // Moves onto the line of the main link at the far end.
  void NextLine();
  // Moves Distance metres forward along the main links. Ends in bounded
  // time for every input; see the definition for the degenerate cases.
  void Advance(double Distance);
  // The map position of the place; Out is left alone when Line is null.
  void GetXY(TTrXY& Out) const;
};

// A train: Length metres of track that follow Position in its direction.
class TTrain {
 public:
  TTrackPosition Position;
  double Length = 0.0;

  // A train at the entry end of Line, facing direction Dir.
  TTrain(TTrLine* Line, uint8_t Dir, double ALength);
};
