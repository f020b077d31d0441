#pragma once

#include "map_tool.h"

// Scroll: a right or middle drag moves the view by the mouse's steps. It
// may go on during a point drag, and changes no map.
class TScrollTool : public TMapTool {
 public:
  using TMapTool::TMapTool;

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t X, int32_t Y) override;
  void Cancel() override { Scrolling = false; }
  bool Underway() const override { return Scrolling; }

 private:
  bool Scrolling = false;
  // The mouse position at the last scroll step, in client pixels.
  int32_t LastX = 0;
  int32_t LastY = 0;
};
