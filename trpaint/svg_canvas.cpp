#include "svg_canvas.h"

#include <QtCore/QBuffer>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QTransform>
#include <cstdio>

#include "qt_drawing.h"

namespace {

// What is written is passed on in pieces of about this size.
constexpr size_t kPieceBytes = 64 * 1024;

std::string Hex(TColor Color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", Color & 0xFFFFFFu);
  return text;
}

std::string Number(double Value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", Value);
  return text;
}

}  // namespace

TSvgCanvas::TSvgCanvas(int Width, int Height, TContentWriter AWrite,
                       std::function<void()> ADrawn)
    : Write(std::move(AWrite)), Drawn(std::move(ADrawn)) {
  const std::string width = std::to_string(Width);
  const std::string height = std::to_string(Height);
  // The window draws without smoothing; so does the picture. Moved by half
  // a pixel, a whole-numbered coordinate lies at a pixel's centre.
  Append(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' +
      height +
      "\" shape-rendering=\"crispEdges\">\n"
      "<g transform=\"translate(0.5 0.5)\">\n");
}

void TSvgCanvas::MoveTo(int X, int Y) {
  CurrentX = X;
  CurrentY = Y;
}

void TSvgCanvas::LineTo(int X, int Y) {
  UseGroup(false);
  Append("<path d=\"M" + std::to_string(CurrentX) + ' ' +
         std::to_string(CurrentY) + 'L' + std::to_string(X) + ' ' +
         std::to_string(Y) + "\"/>\n");
  CurrentX = X;
  CurrentY = Y;
  if (Drawn) Drawn();
}

void TSvgCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  UseGroup(true);
  const QRectF bounds = EllipseBounds(X1, Y1, X2, Y2);
  const std::string centre = "cx=\"" + Number(bounds.center().x()) +
                             "\" cy=\"" + Number(bounds.center().y()) + '"';
  const double rx = bounds.width() / 2;
  const double ry = bounds.height() / 2;
  if (rx == ry) {
    Append("<circle " + centre + " r=\"" + Number(rx) + "\"/>\n");
  } else {
    Append("<ellipse " + centre + " rx=\"" + Number(rx) + "\" ry=\"" +
           Number(ry) + "\"/>\n");
  }
  if (Drawn) Drawn();
}

// The part of the picture in view, as a PNG inside the document, placed by
// the transform on pixel edges (the document's group is set on centres).
void TSvgCanvas::DrawPicture(const QImage& Picture, const QRect& Source,
                             const QTransform& Transform, double Opacity,
                             bool Smooth) {
  if (GroupPen) Append("</g>\n");
  GroupPen.reset();
  GroupFill.reset();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  Picture.copy(Source).save(&buffer, "PNG");
  const QTransform t =
      QTransform::fromTranslate(Source.x(), Source.y()) * Transform;
  Append("<image transform=\"translate(-0.5 -0.5) matrix(" + Number(t.m11()) +
         ' ' + Number(t.m12()) + ' ' + Number(t.m21()) + ' ' + Number(t.m22()) +
         ' ' + Number(t.dx()) + ' ' + Number(t.dy()) + ")\" width=\"" +
         std::to_string(Source.width()) + "\" height=\"" +
         std::to_string(Source.height()) + "\" opacity=\"" + Number(Opacity) +
         "\" preserveAspectRatio=\"none\" image-rendering=\"" +
         (Smooth ? "optimizeQuality" : "pixelated") +
         "\" href=\"data:image/png;base64," + png.toBase64().toStdString() +
         "\"/>\n");
  if (Drawn) Drawn();
}

void TSvgCanvas::Erase(TColor Color) {
  if (GroupPen) Append("</g>\n");
  GroupPen.reset();
  GroupFill.reset();
  Append("<rect x=\"-0.5\" y=\"-0.5\" width=\"100%\" height=\"100%\" fill=\"" +
         Hex(Color) + "\"/>\n");
}

void TSvgCanvas::UseGroup(bool Filled) {
  const std::optional<TColor> fill =
      Filled ? std::optional<TColor>(Brush.Color) : std::nullopt;
  if (GroupPen && *GroupPen == Pen && GroupFill == fill) return;
  if (GroupPen) Append("</g>\n");
  GroupPen = Pen;
  GroupFill = fill;
  // Qt's dotted pen: dots one pen width long, two widths apart, from the
  // start of each line; flat ends.
  const std::string width = std::to_string(Pen.Width);
  std::string group = "<g stroke=\"" + Hex(Pen.Color) + "\" stroke-width=\"" +
                      width + "\" stroke-linecap=\"butt\"";
  if (Pen.Style == psDot) {
    group += " stroke-dasharray=\"" + width + ' ' +
             std::to_string(2 * Pen.Width) + '"';
  }
  group += " fill=\"" + (fill ? Hex(*fill) : std::string("none")) + "\">\n";
  Append(group);
}

void TSvgCanvas::Append(const std::string& Text) {
  Pending += Text;
  if (Pending.size() < kPieceBytes) return;
  Write(Pending);
  Pending.clear();
}

void TSvgCanvas::Finish() {
  if (GroupPen) Append("</g>\n");
  GroupPen.reset();
  Append("</g>\n</svg>\n");
  Write(Pending);
  Pending.clear();
}
