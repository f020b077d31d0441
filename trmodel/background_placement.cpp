#include "background_placement.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>

namespace {

using TComplex = std::complex<double>;

constexpr double kDegrees = 180.0 / std::numbers::pi;

// A picture position as a complex number in world orientation: rows run
// down, world y up.
TComplex PictureVector(double U, double V) { return {U, -V}; }

}  // namespace

void TBackgroundPlacement::WorldOf(double U, double V, double& X,
                                   double& Y) const {
  // Clockwise by Turn is counter-clockwise by -Turn.
  const TComplex turn = std::polar(MetresPerPixel, -Turn / kDegrees);
  const TComplex world = TComplex(Left, Top) + turn * PictureVector(U, V);
  X = world.real();
  Y = world.imag();
}

// With complex numbers a placement is world = corner + turn * picture,
// turn holding the scale and the angle: two points fix both.
TBackgroundPlacement PlacementFromReferences(const TReferencePoint& A,
                                             const TReferencePoint& B) {
  const TComplex pictureA = PictureVector(A.U, A.V);
  const TComplex pictureB = PictureVector(B.U, B.V);
  const TComplex worldA(A.X, A.Y);
  const TComplex worldB(B.X, B.Y);
  if (pictureA == pictureB) {
    throw std::invalid_argument(
        "The two reference points must be different spots of the picture");
  }
  if (worldA == worldB) {
    throw std::invalid_argument(
        "The two reference points must have different world positions");
  }
  const TComplex turn = (worldB - worldA) / (pictureB - pictureA);
  const TComplex corner = worldA - turn * pictureA;
  TBackgroundPlacement placement;
  placement.Left = corner.real();
  placement.Top = corner.imag();
  placement.MetresPerPixel = std::abs(turn);
  placement.Turn = -std::arg(turn) * kDegrees;
  if (!std::isnormal(placement.MetresPerPixel) ||
      !std::isfinite(placement.Left) || !std::isfinite(placement.Top)) {
    throw std::invalid_argument(
        "The reference points give the picture no usable size");
  }
  return placement;
}
