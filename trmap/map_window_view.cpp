#include <optional>

#include "map_fit.h"
#include "map_window.h"
#include "number_entry.h"

namespace {

// The room, in pixels, that a fitted map leaves on every side, so that its
// outermost points are drawn whole.
constexpr int kFitMargin = 16;

}  // namespace

TMapView TfrmMap::View() const {
  return {Scale,
          GridSpacing,
          OriginX,
          OriginY,
          width(),
          height(),
          ModeButtons != nullptr && ModeButtons->SimplifyZoomedOut()};
}

void TfrmMap::SetView(const TMapView& AView) {
  Scale = AView.Scale;
  GridSpacing = AView.GridSpacing;
  OriginX = AView.OriginX;
  OriginY = AView.OriginY;
}

int32_t TfrmMap::WorldToScreenX(double X) const {
  return View().WorldToScreenX(X);
}

int32_t TfrmMap::WorldToScreenY(double Y) const {
  return View().WorldToScreenY(Y);
}

double TfrmMap::ScreenToWorldX(double PX) const {
  return View().ScreenToWorldX(PX);
}

double TfrmMap::ScreenToWorldY(double PY) const {
  return View().ScreenToWorldY(PY);
}

void TfrmMap::ZoomBy(double Factor) {
  SetView(View().ZoomedBy(Factor));
  Repaint();
}

void TfrmMap::ZoomAbout(double Factor, int32_t X, int32_t Y) {
  SetView(View().ZoomedAbout(Factor, X, Y));
  Repaint();
}

void TfrmMap::ZoomToFit() {
  const std::optional<TWorldBox> extent = PointExtent(Document_->Map());
  TMapView view = View();
  if (extent) {
    view = view.FittedTo(*extent, kFitMargin);
  } else {
    view.Scale = 1.0;
    view.OriginX = width() / 2;
    view.OriginY = height() / 2;
  }
  SetView(view);
  Repaint();
}

void TfrmMap::SetGridSpacing(double G) {
  GridSpacing = G;
  Repaint();
}

void TfrmMap::EditScale() {
  QString text = EditableNumber(Scale);
  if (!AskScale(text)) return;
  const std::optional<double> scale = TypedNumber(text);
  const TMapView scaled = scale ? View().ScaledTo(*scale) : View();
  if (!scale || scaled.Scale != *scale) {
    ShowError(QStringLiteral(
        "The scale must be a positive number of metres per pixel that "
        "zooming can reach"));
    return;
  }
  SetView(scaled);
  Repaint();
}

void TfrmMap::Repaint() {
  PictureMoved = false;
  Canvas->Erase(ButtonFace());
  FormPaint();
  PresentNow();
}
