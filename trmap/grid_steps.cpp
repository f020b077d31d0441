#include "grid_steps.h"

#include <cstdio>

#include "pixel_rounding.h"

double NextGridSpacing(double Spacing, bool Up) {
  return Up ? Spacing * 2.0 : Spacing * 0.5;
}

std::string GridSpacingText(double Spacing) {
  // %.0f writes a whole double exactly, however large.
  const int size = std::snprintf(nullptr, 0, "%.0f", RoundHalfEven(Spacing));
  std::string text(static_cast<size_t>(size) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.0f", RoundHalfEven(Spacing));
  text.resize(static_cast<size_t>(size));
  return text;
}
