#pragma once

#include <QtCore/QString>

#include "geometry.h"
#include "map_observer.h"
#include "map_tool.h"

// Find path: a click on a point of the track, then a click on another,
// shows the path a train can take from the first to the second (the
// window's ShowPath). Between the two clicks the gesture is under way: a
// dotted line follows the mouse from the first point, and Escape takes it
// back. A click beside every point is passed over. Changes nothing.
class TPathTool : public TMapTool, private TMapObserver {
 public:
  using TMapTool::TMapTool;
  ~TPathTool() override;

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t, int32_t) override {}
  void Cancel() override;
  bool Underway() const override { return From != nullptr; }
  bool TakesNextPress() const override { return true; }
  QString StatusText() const override;
  void Preview(TCanvas& Canvas) const override;

 private:
  // The point within reach of client pixel (X, Y), none without one.
  TTrPoint* PointAt(int32_t X, int32_t Y) const;
  void LetGo();
  void Leaving(const TTrPoint& Point) override;

  TTrPoint* From = nullptr;
  bool Watching = false;
  TTrXY Mouse;
};
