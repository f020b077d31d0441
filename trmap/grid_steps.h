#pragma once

#include <string>

// The grid spacing up-down: each step up doubles the active window's
// spacing, each step down halves it. Only the spacing is kept; the
// control's position is never read.
double NextGridSpacing(double Spacing, bool Up);

// The spacing as the frame shows it: rounded to a whole number, halves to
// even (12.5 shows 12), in plain decimal.
std::string GridSpacingText(double Spacing);

// The spacings that can be typed, in metres: finer or coarser grids would
// only ever show as grey or as nothing.
inline constexpr double kMinTypedGridSpacing = 0.001;
inline constexpr double kMaxTypedGridSpacing = 1000000.0;
