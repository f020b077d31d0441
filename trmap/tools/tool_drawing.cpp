#include "tool_drawing.h"

#include <cmath>

#include "canvas.h"
#include "screen_clip.h"

void DrawPathOverMap(TCanvas& Canvas, const TMapView& View,
                     const std::vector<TTrXY>& Path) {
  const TPen kept = Canvas.Pen;
  Canvas.Pen = TPen{clBlack, 1, psDot, pmCopy};
  for (size_t i = 1; i < Path.size(); ++i) {
    const std::optional<TScreenSegment> piece = ClipSegment(
        {View.ScreenColumn(Path[i - 1].X), View.ScreenRow(Path[i - 1].Y),
         View.ScreenColumn(Path[i].X), View.ScreenRow(Path[i].Y)},
        View.ClientRect());
    if (!piece) continue;
    Canvas.MoveTo(static_cast<int>(std::lround(piece->X1)),
                  static_cast<int>(std::lround(piece->Y1)));
    Canvas.LineTo(static_cast<int>(std::lround(piece->X2)),
                  static_cast<int>(std::lround(piece->Y2)));
  }
  Canvas.Pen = kept;
}
