#pragma once

#include <optional>
#include <string>

// Where a picture lies under a map: its top-left corner at world (Left,
// Top), each picture pixel MetresPerPixel wide and high, the picture turned
// clockwise by Turn degrees about that corner. Picture positions count
// pixels right and down from the corner; a pixel's centre lies half a pixel
// in. World y grows upward, so the picture's rows run toward lower y.
struct TBackgroundPlacement {
  double Left = 0.0;
  double Top = 0.0;
  double MetresPerPixel = 1.0;
  double Turn = 0.0;

  bool operator==(const TBackgroundPlacement&) const = default;

  // The world position of picture position (U, V).
  void WorldOf(double U, double V, double& X, double& Y) const;
};

// A spot of the picture, in picture pixels, and the world position in
// metres that it is to have.
struct TReferencePoint {
  double U = 0.0;
  double V = 0.0;
  double X = 0.0;
  double Y = 0.0;
};

// The placement that puts both reference points where they are to be:
// the picture scaled and turned (never mirrored) to fit them. Which of the
// two comes first makes no difference. Throws std::invalid_argument with
// the message the user is shown when they do not make a placement.
TBackgroundPlacement PlacementFromReferences(const TReferencePoint& A,
                                             const TReferencePoint& B);
