#include "recording_canvas.h"

#include <QtCore/QRect>
#include <QtGui/QImage>
#include <cstdio>

namespace {

std::string Hex(TColor Color) {
  char text[8];
  std::snprintf(text, sizeof text, "%06x", Color & 0xFFFFFFu);
  return text;
}

std::string PenText(const TPen& Pen) {
  return "pen " + Hex(Pen.Color) + "/" + std::to_string(Pen.Width) +
         (Pen.Style == psDot ? "/dot" : "/solid") +
         (Pen.Mode == pmCopy ? "" : "/?");
}

std::string At(int X, int Y) {
  return std::to_string(X) + "," + std::to_string(Y);
}

}  // namespace

void TRecordingCanvas::MoveTo(int X, int Y) {
  Log.push_back("MoveTo " + At(X, Y));
}

void TRecordingCanvas::LineTo(int X, int Y) {
  Log.push_back("LineTo " + At(X, Y) + " " + PenText(Pen));
}

void TRecordingCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Log.push_back("Ellipse " + At(X1, Y1) + " " + At(X2, Y2) + " " +
                PenText(Pen) + " brush " + Hex(Brush.Color));
}

void TRecordingCanvas::DrawPicture(const QImage& Picture, const QRect& Source,
                                   const QTransform& Transform, double Opacity,
                                   bool Smooth) {
  LastTransform = Transform;
  Log.push_back("Picture " + std::to_string(Picture.width()) + "x" +
                std::to_string(Picture.height()) + " source " +
                At(Source.x(), Source.y()) + "," +
                At(Source.width(), Source.height()) + " opacity " +
                std::to_string(Opacity).substr(0, 4) +
                (Smooth ? " smooth" : " sharp"));
}

void TRecordingCanvas::Erase(TColor) { ++Erases; }

void TRecordingCanvas::Resize(const QSize&) {}

void TRecordingCanvas::Present(QPainter&) {}

std::vector<std::string> TRecordingCanvas::Drawn() const {
  std::vector<std::string> drawn;
  for (size_t i = 0; i < Log.size(); ++i) {
    const bool pair = Log[i].starts_with("MoveTo ") && i + 1 < Log.size() &&
                      Log[i + 1].starts_with("LineTo ");
    if (!pair) {
      drawn.push_back(Log[i]);
      continue;
    }
    drawn.push_back(Log[i].substr(7) + " " + Log[i + 1].substr(7));
    ++i;
  }
  return drawn;
}

void TRecordingCanvas::Clear() {
  Log.clear();
  Erases = 0;
}
