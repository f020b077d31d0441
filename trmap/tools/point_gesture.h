#pragma once

#include <cstdint>
#include <exception>

#include "map_observer.h"
#include "map_tool.h"

// How near, in pixels, a press must come to a point to drag it, and a drop
// to join onto it.
inline constexpr double kGrabDistance = 5.0;

// A point can take another only of its own kind: a point holds either
// track or walls, never both.
bool SameKind(const TTrPoint& A, const TTrPoint& B);

// Merges Gone into Keep through Line, a line with an end at Gone, selects
// Keep and puts spbConn up. Joins nothing, and says so, when Keep has no
// line or three.
bool JoinPoints(TToolHost& Host, TTrPoint* Gone, TTrLine* Line, TTrPoint* Keep);

// A gesture that moves one point of the map with the mouse, recorded as one
// edit from the press to the release. The point is let go of should it
// leave the map. It lands where SnappedPosition puts it; a length and
// bearing typed during the gesture, counted from its anchor, put it there
// exactly and end the gesture.
class TPointGesture : public TMapTool, protected TMapObserver {
 public:
  using TMapTool::TMapTool;
  ~TPointGesture() override;

  void Cancel() override;
  bool Underway() const override { return Active; }
  TTrPoint* MovedPoint() const override { return Moving; }
  bool TakesTyping() const override;
  QString TypingHint() const override;
  QString Typed(const QString& Text) override;

 protected:
  // The gesture is under way from here, moving Point.
  void Begin(TTrPoint* Point);
  // Puts the point at client pixel (X, Y). A position too large to store
  // takes the gesture back, reports it and gives false.
  bool Place(int32_t X, int32_t Y);
  // Puts the point at a world position, as Place does.
  bool PlaceAt(TTrXY At);
  // A move that left the numbers a map can hold: the gesture is taken
  // back and the reason told; always false.
  bool Overflowed(const std::exception& Error);
  // What lengths and bearings are counted from: the far end of the moved
  // point's first line, none without one.
  const TTrPoint* Anchor() const;
  // The gesture ends with its point placed by typing, joining nothing.
  virtual void EndTyped() = 0;
  // The gesture is over; nothing of the map is named any more.
  virtual void Finish();

  void Leaving(const TTrPoint& Point) override;
  void Leaving(const TTrLine&) override {}
  void Leaving(const TTrain&) override {}

  TTrPoint* Moving = nullptr;

 private:
  bool Active = false;
};
