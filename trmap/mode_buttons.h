#pragma once

// The speed buttons that set the editing mode. They live on the frame and
// are shared by every map window, which reads them at each left press and
// writes spbConn when a build gesture ends.
enum class TModeButton {
  spbCursor,   // left click selects
  spbLine,     // left click builds track
  spbBuild,    // left click builds a wall
  spbPoint,    // select points
  spbLines,    // select lines
  spbTrains,   // select trains
  spbConn,     // the next build starts at the selected point
  spbCurve,    // left drag builds a curve from the selected end point
  spbMeasure,  // left drag measures
  spbPath,     // two left clicks find the path between two points
};

class TModeButtons {
 public:
  virtual ~TModeButtons() = default;
  virtual bool IsDown(TModeButton Button) const = 0;
  virtual void SetConnDown(bool Down) = 0;
  // Whether new and moved points land on the nearest grid crossing.
  virtual bool SnapToGrid() const { return false; }
  // Whether crowded points and grid lines are left out when zoomed out.
  virtual bool SimplifyZoomedOut() const { return false; }
};
