#pragma once

#include "point_gesture.h"

// Select: a left press selects the nearest point, line or train, of the
// kind the mode buttons choose; a press closer than kGrabDistance to a point
// also drags it, and dropping it on another point joins the two.
class TSelectTool : public TPointGesture {
 public:
  using TPointGesture::TPointGesture;

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t X, int32_t Y) override;
  QString StatusText() const override;

 protected:
  void EndTyped() override;
};
