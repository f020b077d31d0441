#pragma once

#include <QtCore/QString>

#include "geometry.h"
#include "map_observer.h"
#include "map_tool.h"

// Measure: a left press, drag and release shows the distance and compass
// bearing from the press to the mouse, in the status bar and as a line over
// the map, until the next click in the window; the release ends each on a
// point within kGrabDistance, and between two points of the track network
// it also gives the distance a train travels between them. Changes nothing.
class TMeasureTool : public TMapTool, private TMapObserver {
 public:
  using TMapTool::TMapTool;
  ~TMeasureTool() override;

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t X, int32_t Y) override;
  void Cancel() override;
  bool Underway() const override { return Measuring; }
  QString StatusText() const override { return Text; }
  void Preview(TCanvas& Canvas) const override;
  void Dismiss() override;

 private:
  // The position of client pixel (X, Y), on the point there if any.
  TTrXY Reach(int32_t X, int32_t Y, TTrPoint*& Point) const;
  void Measure(int32_t X, int32_t Y, bool Along);
  void LetGo();
  void Leaving(const TTrPoint& Point) override;

  bool Measuring = false;
  bool Shown = false;
  TTrXY From;
  TTrXY To;
  // The point the measure starts on, while the gesture goes on.
  TTrPoint* FromPoint = nullptr;
  bool Watching = false;
  QString Text;
};
