#pragma once

#include <vector>

#include "point_gesture.h"

// Select: a left press selects the nearest point, line or train, of the
// kind the mode buttons choose; a press closer than kGrabDistance to a point
// also drags it, and dropping it on another point joins the two. A press
// near a point of a selection of several objects drags the whole selection.
// A press that drags nothing and moves a few pixels draws a band, and the
// release selects every object of the kind inside it. With Shift held a
// click takes the nearest object into the selection or out of it, and a
// band adds to the selection; neither drags.
class TSelectTool : public TPointGesture {
 public:
  using TPointGesture::TPointGesture;
  ~TSelectTool() override;

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t X, int32_t Y) override;
  void Cancel() override;
  bool Underway() const override;
  QString StatusText() const override;
  TTrPoint* MovedPoint() const override;
  void Preview(TCanvas& Canvas) const override;

 protected:
  void EndTyped() override;

 private:
  enum class TKind { Points, Lines, Trains };
  TKind ChosenKind() const;

  // A press that dragged nothing: a band once the mouse moves far enough,
  // else a click, which with Shift toggles the nearest object at release.
  bool PressFree(int32_t X, int32_t Y);
  void ReleaseFree(int32_t X, int32_t Y);
  void SelectBand();
  void ToggleNearest(int32_t X, int32_t Y);

  bool BeginGroupDrag(TTrPoint* Grabbed);
  bool PlaceGroup(int32_t X, int32_t Y);
  void EndGroupDrag();
  void Leaving(const TTrPoint& Point) override;

  // The press that may become a band, and where the mouse is now.
  bool Pressed = false;
  bool Banding = false;
  bool Shifted = false;
  int32_t PressX = 0;
  int32_t PressY = 0;
  int32_t MouseX = 0;
  int32_t MouseY = 0;

  // The group drag: every point of the selection, where each stood at the
  // press, and the one under the mouse.
  bool Grouping = false;
  std::vector<TTrPoint*> Group;
  std::vector<TTrVector> GroupFrom;
  size_t Grabbed = 0;
};
