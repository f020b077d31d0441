#include <algorithm>
#include <cstdint>

#include "map_window.h"

namespace {

template <typename TList>
auto* FindById(const TList& List, int64_t Id) {
  const auto found =
      std::find_if(List.begin(), List.end(),
                   [Id](const auto& Object) { return Object->Id == Id; });
  return found == List.end() ? nullptr : found->get();
}

// A pixel shift, kept within what a scroll can take.
int32_t Shift(double Pixels) {
  return static_cast<int32_t>(std::clamp(Pixels, -2e9, 2e9));
}

}  // namespace

void TfrmMap::ShowFinding(const TLintFinding& Finding) {
  if (GestureUnderway()) return;
  TTrPoint* point = nullptr;
  TTrLine* line = nullptr;
  TTrXY at;
  switch (Finding.Kind) {
    case TLintKind::BarePoint:
    case TLintKind::SharpBend:
    case TLintKind::Unjoined:
      point = FindById(Document_->Map().Points, Finding.Id);
      if (point == nullptr) return;
      at = {point->Pos.X, point->Pos.Y};
      break;
    case TLintKind::Overlap:
    case TLintKind::ZeroLength:
      line = FindById(Document_->Map().Tracks, Finding.Id);
      if (line == nullptr) line = FindById(Document_->Map().Walls, Finding.Id);
      if (line == nullptr) return;
      at = {(line->P1->Pos.X + line->P2->Pos.X) / 2,
            (line->P1->Pos.Y + line->P2->Pos.Y) / 2};
      break;
    case TLintKind::DeadEnds:
      return;
  }
  // The scroll moves the picture as it stands; the selection is then drawn
  // onto it as every change of selection is.
  const TMapView view = View();
  ScrollBy(Shift(view.Width / 2 - view.ScreenColumn(at.X)),
           Shift(view.Height / 2 - view.ScreenRow(at.Y)));
  if (point != nullptr) SelectPoint(point);
  if (line != nullptr) SelectLine(line);
}
