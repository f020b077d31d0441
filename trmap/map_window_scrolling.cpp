#include <algorithm>
#include <cstdlib>
#include <limits>

#include "canvas_recording.h"
#include "map_window.h"

namespace {

// The grid's dots lie on every third pixel from the window's edge.
constexpr int kDotSteps = 3;

int32_t Clamped(int64_t Pixels) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(Pixels, std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max()));
}

}  // namespace

void TfrmMap::ScrollBy(int32_t DX, int32_t DY) {
  int64_t dx = HeldX + DX;
  int64_t dy = HeldY + DY;
  HeldX = 0;
  HeldY = 0;
  // A picture moved by other steps would have the grid's dots where a
  // paint does not put them: a scroll under way moves by whole dot steps
  // and keeps the rest, at most two pixels, for its next step or its end.
  if (Scroll.Underway() && Canvas->KeepsPicture() && Painter().DrawsGrid()) {
    HeldX = dx % kDotSteps;
    HeldY = dy % kDotSteps;
    dx -= HeldX;
    dy -= HeldY;
  }
  MoveView(dx, dy);
  // A step of its own, such as Check Map's centring, ends at once.
  if (!Scroll.Underway()) ScrollEnded();
}

void TfrmMap::MoveView(int64_t DX, int64_t DY) {
  const TMapView before = View();
  SetView(before.ScrolledBy(Clamped(DX), Clamped(DY)));
  // At the limits of the origin the view moves less than asked.
  if (!PaintMoved(int64_t{OriginX} - before.OriginX,
                  int64_t{OriginY} - before.OriginY)) {
    Repaint();
  }
}

void TfrmMap::ScrollEnded() {
  if (HeldX != 0 || HeldY != 0) {
    MoveView(HeldX, HeldY);
    HeldX = 0;
    HeldY = 0;
  }
  if (PictureMoved && (PictureCut || !Canvas->MovesExactly())) Repaint();
}

bool TfrmMap::ShowsPreview() const {
  TCanvasRecording preview;
  for (const auto& tool : Tools) tool->Preview(preview);
  return !preview.Empty();
}

bool TfrmMap::PaintMoved(int64_t DX, int64_t DY) {
  const int width = this->width();
  const int height = this->height();
  if (Stale || std::llabs(DX) >= width || std::llabs(DY) >= height ||
      ShowsPreview()) {
    return false;
  }
  // Moved by other steps the grid's dots would lie where no paint puts them.
  if ((DX % kDotSteps != 0 || DY % kDotSteps != 0) && Painter().DrawsGrid()) {
    return false;
  }
  if (DX == 0 && DY == 0) return true;
  const int dx = static_cast<int>(DX);
  const int dy = static_cast<int>(DY);
  if (!Canvas->MovePicture(dx, dy)) return false;
  // The rows that came into view across the whole width, then the columns
  // beside the rest.
  const int rowsTop = dy > 0 ? 0 : height + dy;
  const int otherTop = dy > 0 ? dy : 0;
  const QRect strips[] = {QRect(0, rowsTop, width, std::abs(dy)),
                          QRect(dx > 0 ? 0 : width + dx, otherTop, std::abs(dx),
                                height - std::abs(dy))};
  for (const QRect& strip : strips) {
    if (strip.isEmpty()) continue;
    Canvas->SetClip(strip);
    Canvas->Erase(ButtonFace());
    TMapPainter painter = Painter();
    painter.SetArea(strip);
    painter.Paint();
    PictureCut = PictureCut || painter.CutSegments();
  }
  Canvas->SetClip(std::nullopt);
  PictureMoved = true;
  PresentNow();
  return true;
}
