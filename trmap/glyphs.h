#pragma once

#include <QtGui/QIcon>

// The pictures on the tool bar's speed buttons, one per button.
enum class TGlyph {
  ZoomIn,
  ZoomOut,
  SelectPoint,
  SelectLine,
  SelectTrain,
  Properties,
  RotateSwitch,
  SwapSwitch,
  Cursor,
  BuildTrack,
  BuildWall,
  BuildCurve,
  Measure,
  FindPath,
  BuildFromPoint,
  NewTrain,
};

// The glyph drawn for a 25 x 25 button. The zoom buttons and the cursor also
// carry a second, greyed picture for their disabled state.
QIcon GlyphIcon(TGlyph Glyph);
