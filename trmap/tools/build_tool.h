#pragma once

#include "point_gesture.h"

// Build track or wall: a left press lays a new line from the click (or,
// with spbConn down, from the selected point) to a new end point that
// follows the mouse; the release joins the end point onto a point it is
// dropped on, or puts spbConn down so that the next build goes on from it.
// While it goes on it takes every press and release. New points snap as
// SnappedPosition says, and a typed length and bearing ends it exactly.
class TBuildTool : public TPointGesture {
 public:
  enum class TKind { Track, Wall };
  TBuildTool(TToolHost& AHost, TKind AKind)
      : TPointGesture(AHost), Kind(AKind) {}

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t X, int32_t Y) override;
  bool HoldsAllButtons() const override { return Underway(); }
  QString StatusText() const override;

  // The line the gesture lays, none before it is laid.
  TTrLine* Line() const { return Laid; }

 protected:
  void Finish() override;
  void EndTyped() override;
  void Leaving(const TTrLine& Line) override;

 private:
  void End(bool Joined);

  TKind Kind;
  TTrLine* Laid = nullptr;
};
