#pragma once

// A box of world coordinates in metres, edges included.
struct TWorldBox {
  double MinX;
  double MinY;
  double MaxX;
  double MaxY;

  bool Meets(const TWorldBox& Other) const {
    return MinX <= Other.MaxX && Other.MinX <= MaxX && MinY <= Other.MaxY &&
           Other.MinY <= MaxY;
  }
};
