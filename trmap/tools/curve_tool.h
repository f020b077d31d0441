#pragma once

#include <optional>

#include "drawing_geometry.h"
#include "map_observer.h"
#include "map_tool.h"

// Build curve: a left press with an end point of a line selected starts a
// circular arc that leaves that point tangent to its line and passes
// through the mouse, shown over the map with its radius, length and turn in
// the status bar; the release lays it as ordinary points and lines of the
// line's kind (one step), selects its last point and puts spbConn down, so
// that a build goes on from there. A radius typed during the drag, with an
// optional turn ("300 @ 30", degrees, positive to the right), lays it
// exactly.
class TCurveTool : public TMapTool, private TMapObserver {
 public:
  using TMapTool::TMapTool;
  ~TCurveTool() override;

  bool Press(int32_t X, int32_t Y) override;
  void Move(int32_t X, int32_t Y) override;
  void Release(int32_t X, int32_t Y) override;
  void Cancel() override;
  bool Underway() const override { return Start != nullptr; }
  QString StatusText() const override;
  void Preview(TCanvas& Canvas) const override;
  bool TakesTyping() const override { return Underway(); }
  QString TypingHint() const override;
  QString Typed(const QString& Text) override;

  // The arc the release would lay, none while the mouse is straight ahead.
  const std::optional<TArc>& Arc() const { return Shown; }

 private:
  void Follow(int32_t X, int32_t Y);
  // Lays Arc and ends the gesture.
  void Lay(const TArc& Arc);
  void Finish();
  void Leaving(const TTrPoint& Point) override;

  TTrPoint* Start = nullptr;
  double Heading = 0.0;
  std::optional<TArc> Shown;
};
