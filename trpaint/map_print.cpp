#include "map_print.h"

#include <QtCore/QIODevice>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPagedPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <set>
#include <utility>

#include "map_fit.h"
#include "map_painter.h"
#include "painter_canvas.h"
#include "tr_version.h"

namespace {

constexpr double kPixelMm = 25.4 / kPrintPixelsPerInch;
// The scale bar takes at most this much of the footer.
constexpr double kScaleBarMm = 40.0;
constexpr double kRegistrationArmMm = 3.0;
constexpr double kFontPoints = 8.0;

// Hands what the PDF writer writes to a content writer; a failure there is
// kept to be thrown once the writer is done, as Qt's code cannot pass it on.
class TWriterDevice : public QIODevice {
 public:
  explicit TWriterDevice(const TContentWriter& AWrite) : Write(AWrite) {
    open(QIODevice::WriteOnly);
  }
  std::exception_ptr Failure;

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* Data, qint64 Size) override {
    if (Failure) return -1;
    try {
      Write(std::string_view(Data, static_cast<size_t>(Size)));
      return Size;
    } catch (...) {
      Failure = std::current_exception();
      return -1;
    }
  }

 private:
  const TContentWriter& Write;
};

// Pages enough for Box pixels, where each page holds Room and shares
// Overlap with the next.
double PagesFor(double Box, double Room, double Overlap) {
  return Box <= Room ? 1.0 : std::ceil((Box - Overlap) / (Room - Overlap));
}

// The longest of 1, 2 or 5 times a power of ten metres that is at most
// Metres.
double RoundLength(double Metres) {
  const double power = std::pow(10.0, std::floor(std::log10(Metres)));
  const double leading = Metres / power;
  return (leading >= 5.0 ? 5.0 : leading >= 2.0 ? 2.0 : 1.0) * power;
}

QString LengthText(double Metres) {
  return Metres >= 1000.0
             ? QString::number(Metres / 1000.0, 'g', 6) + QStringLiteral(" km")
             : QString::number(Metres, 'g', 6) + QStringLiteral(" m");
}

// Both pages of a pair that shares an overlap show these crosses at the same
// place of the map, to lay one over the other by: in the middle of the
// strip they share, near its ends.
std::set<std::pair<double, double>> RegistrationMarks(
    const TPrintLayout& Layout, int Column, int Row) {
  const double w = Layout.MapArea.width();
  const double h = Layout.MapArea.height();
  const double mid = kOverlapMm / 2;
  std::set<std::pair<double, double>> marks;
  if (Column > 0) marks.insert({{mid, mid}, {mid, h - mid}});
  if (Column + 1 < Layout.Columns)
    marks.insert({{w - mid, mid}, {w - mid, h - mid}});
  if (Row > 0) marks.insert({{mid, mid}, {w - mid, mid}});
  if (Row + 1 < Layout.Rows) marks.insert({{mid, h - mid}, {w - mid, h - mid}});
  return marks;
}

// The frame of the map area, the registration marks, and the footer: the
// name, the page's number, and the scale with its bar. Painter draws in
// millimetres; Unit is the device's pixels per millimetre.
void DrawPageFurniture(QPainter& Painter, double Unit,
                       const TPrintLayout& Layout, const QString& Title,
                       int Column, int Row) {
  const QRectF area = Layout.MapArea;
  QPen frame(QColor(128, 128, 128));
  frame.setWidthF(0.2);
  Painter.setPen(frame);
  Painter.setBrush(Qt::NoBrush);
  Painter.drawRect(area);

  QPen thin(Qt::black);
  thin.setWidthF(0.15);
  Painter.setPen(thin);
  for (const auto& [x, y] : RegistrationMarks(Layout, Column, Row)) {
    const QPointF centre = area.topLeft() + QPointF(x, y);
    const double arm = kRegistrationArmMm;
    Painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    Painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    Painter.drawEllipse(centre, arm * 0.6, arm * 0.6);
  }

  const QRectF footer(area.left(), area.bottom() + 1.0, area.width(),
                      kFooterMm - 1.0);
  // The bar: four pieces, black and white in turn.
  const double maxBar = std::min(kScaleBarMm, footer.width() / 4);
  const double metres = RoundLength(maxBar * Layout.ScaleDenominator / 1000.0);
  const double bar = metres * 1000.0 / Layout.ScaleDenominator;
  const QRectF barRect(footer.right() - bar, footer.top() + 1.0, bar, 1.5);
  for (int i = 0; i < 4; ++i) {
    Painter.setBrush(i % 2 == 0 ? Qt::black : Qt::white);
    Painter.drawRect(QRectF(barRect.left() + i * bar / 4, barRect.top(),
                            bar / 4, barRect.height()));
  }

  // Text in device pixels, so that its size in points holds.
  Painter.save();
  const QTransform mm = Painter.transform();
  Painter.resetTransform();
  QFont font = Painter.font();
  font.setPointSizeF(kFontPoints);
  Painter.setFont(font);
  Painter.setPen(Qt::black);
  const auto device = [&](const QRectF& Rect) { return mm.mapRect(Rect); };
  const QRectF labels(barRect.left() - bar, barRect.bottom() + 0.3, 2 * bar,
                      footer.bottom() - barRect.bottom() - 0.3);
  Painter.drawText(device(labels), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("0"));
  const QRectF end(barRect.right() - bar, labels.top(), bar, labels.height());
  Painter.drawText(device(end), Qt::AlignRight | Qt::AlignTop,
                   LengthText(metres));
  const QRectF scale(footer.left(), footer.top(),
                     barRect.left() - 3.0 - footer.left(), footer.height());
  Painter.drawText(device(scale), Qt::AlignRight | Qt::AlignVCenter,
                   ScaleText(Layout.ScaleDenominator));
  const int page = Row * Layout.Columns + Column + 1;
  QString number =
      QStringLiteral("Page %1 of %2").arg(page).arg(Layout.Pages());
  if (Layout.Pages() > 1) {
    number +=
        QStringLiteral(" (row %1, column %2)").arg(Row + 1).arg(Column + 1);
  }
  Painter.drawText(device(footer), Qt::AlignHCenter | Qt::AlignVCenter, number);
  const QFontMetricsF metrics(font, Painter.device());
  const QString name =
      metrics.elidedText(Title, Qt::ElideMiddle, footer.width() * Unit / 4);
  Painter.drawText(device(footer), Qt::AlignLeft | Qt::AlignVCenter, name);
  Painter.restore();
}

}  // namespace

QPointF TPrintLayout::PageCorner(int Column, int Row) const {
  const double overlap = kOverlapMm / MmPerPixel;
  const double stepX = MapArea.width() / MmPerPixel - overlap;
  const double stepY = MapArea.height() / MmPerPixel - overlap;
  // The pages are centred on the whole print.
  const double coveredX = Columns * stepX + overlap;
  const double coveredY = Rows * stepY + overlap;
  return {Column * stepX + (View.Width - coveredX) / 2,
          Row * stepY + (View.Height - coveredY) / 2};
}

TPrintLayout LayOutPrint(const TPrintSource& Source,
                         const TPrintRequest& Request,
                         const QSizeF& Printable) {
  TPrintLayout layout;
  layout.MapArea =
      QRectF(0, 0, Printable.width(), Printable.height() - kFooterMm);
  if (layout.MapArea.width() < 3 * kOverlapMm ||
      layout.MapArea.height() < 3 * kOverlapMm) {
    throw EPrintTooLarge("The paper is too small to print a map on");
  }
  const double roomX = layout.MapArea.width() / kPixelMm;
  const double roomY = layout.MapArea.height() / kPixelMm;
  layout.MmPerPixel = kPixelMm;
  switch (Request.Extent) {
    case TPrintExtent::View: {
      layout.View = Source.View;
      // Made smaller to fit, never larger: its lines keep the window's width.
      layout.MmPerPixel *=
          std::min({1.0, roomX / std::max(1, Source.View.Width),
                    roomY / std::max(1, Source.View.Height)});
      break;
    }
    case TPrintExtent::WholeMap: {
      const QSize size(static_cast<int>(roomX), static_cast<int>(roomY));
      layout.View = FittedView(Source.Map, size, Source.View.GridSpacing);
      break;
    }
    case TPrintExtent::Scale: {
      const double scale = Request.Scale * kPixelMm / 1000.0;
      const std::optional<TWorldBox> box = PointExtent(Source.Map);
      const double margin = 2.0 * kPrintMarginPixels;
      const double boxX = (box ? (box->MaxX - box->MinX) / scale : 0) + margin;
      const double boxY = (box ? (box->MaxY - box->MinY) / scale : 0) + margin;
      const double overlap = kOverlapMm / kPixelMm;
      const double columns = PagesFor(boxX, roomX, overlap);
      const double rows = PagesFor(boxY, roomY, overlap);
      if (!(columns * rows <= kMaxPrintPages)) {
        throw EPrintTooLarge(
            QStringLiteral("At %1 the map would need %2 pages; at most %3 "
                           "are printed")
                .arg(ScaleText(Request.Scale))
                .arg(columns * rows, 0, 'f', 0)
                .arg(kMaxPrintPages)
                .toStdString());
      }
      layout.Columns = static_cast<int>(columns);
      layout.Rows = static_cast<int>(rows);
      const double coveredX = layout.Columns * (roomX - overlap) + overlap;
      const double coveredY = layout.Rows * (roomY - overlap) + overlap;
      const double centreX = box ? (box->MinX + box->MaxX) / 2 : 0.0;
      const double centreY = box ? (box->MinY + box->MaxY) / 2 : 0.0;
      const double originX = std::round(coveredX / 2 - centreX / scale);
      const double originY = std::round(coveredY / 2 + centreY / scale);
      // Pages show the print in whole pixels from its origin.
      constexpr double kLimit = std::numeric_limits<int32_t>::max() / 2;
      if (!(std::abs(originX) < kLimit && std::abs(originY) < kLimit)) {
        throw EPrintTooLarge(
            QStringLiteral("At %1 the map lies too far from its origin to be "
                           "printed")
                .arg(ScaleText(Request.Scale))
                .toStdString());
      }
      layout.View.Scale = scale;
      layout.View.GridSpacing = Source.View.GridSpacing;
      layout.View.Width = static_cast<int>(std::ceil(coveredX));
      layout.View.Height = static_cast<int>(std::ceil(coveredY));
      layout.View.OriginX = static_cast<int32_t>(originX);
      layout.View.OriginY = static_cast<int32_t>(originY);
      break;
    }
  }
  // Pages show the map as the window does, simplified or not.
  layout.View.Simplified = Source.View.Simplified;
  layout.ScaleDenominator = layout.View.Scale * 1000.0 / layout.MmPerPixel;
  return layout;
}

void PaintPrint(QPagedPaintDevice& Device, const TPrintSource& Source,
                const TPrintLayout& Layout, const TPictureProgress& Progress) {
  QPainter painter;
  if (!painter.begin(&Device)) {
    throw std::runtime_error("The pages could not be started");
  }
  const double unit = Device.logicalDpiX() / 25.4;
  const QTransform mm = QTransform::fromScale(unit, unit);
  const QRectF area = Layout.MapArea;
  const double pixel = Layout.MmPerPixel;
  for (int row = 0; row < Layout.Rows; ++row) {
    for (int column = 0; column < Layout.Columns; ++column) {
      if (row > 0 || column > 0) Device.newPage();
      const QPointF corner = Layout.PageCorner(column, row);
      painter.save();
      painter.setTransform(mm);
      // Nothing of the window's view shows beyond its edges.
      const QRectF print(area.left() - corner.x() * pixel,
                         area.top() - corner.y() * pixel,
                         Layout.View.Width * pixel, Layout.View.Height * pixel);
      painter.setClipRect(area.intersected(print));
      painter.translate(area.topLeft());
      painter.scale(pixel, pixel);
      const double wholeX = std::floor(corner.x());
      const double wholeY = std::floor(corner.y());
      painter.translate(wholeX - corner.x(), wholeY - corner.y());
      TMapView view = Layout.View;
      view.OriginX -= static_cast<int32_t>(wholeX);
      view.OriginY -= static_cast<int32_t>(wholeY);
      view.Width = static_cast<int>(std::ceil(area.width() / pixel)) + 2;
      view.Height = static_cast<int>(std::ceil(area.height() / pixel)) + 2;
      TPainterCanvas canvas(painter, QRectF(0, 0, view.Width, view.Height));
      TMapPainter(canvas, Source.Map, view, {}, &Source.Map.SpatialIndex(),
                  Source.Underlay)
          .Paint();
      painter.restore();
      painter.save();
      painter.setTransform(mm);
      DrawPageFurniture(painter, unit, Layout, Source.Title, column, row);
      painter.restore();
      const int done = row * Layout.Columns + column + 1;
      if (!Progress(static_cast<double>(done) / Layout.Pages())) {
        throw EPictureCancelled();
      }
    }
  }
}

QPageLayout PdfPageLayout(QPageSize::PageSizeId Paper,
                          QPageLayout::Orientation Orientation) {
  const QMarginsF margins(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm,
                          kPdfMarginMm);
  return QPageLayout(QPageSize(Paper), Orientation, margins,
                     QPageLayout::Millimeter);
}

void WritePdf(const TPrintSource& Source, const TPrintRequest& Request,
              const QPageLayout& Page, const TContentWriter& Write,
              const TPictureProgress& Progress) {
  const TPrintLayout layout = LayOutPrint(
      Source, Request, Page.paintRect(QPageLayout::Millimeter).size());
  TWriterDevice device(Write);
  {
    QPdfWriter pdf(&device);
    pdf.setPageLayout(Page);
    pdf.setTitle(Source.Title);
    pdf.setCreator(QStringLiteral("Train Map Editor " TR_VERSION));
    PaintPrint(pdf, Source, layout, Progress);
  }
  if (device.Failure) std::rethrow_exception(device.Failure);
}

void SavePdf(const std::string& FileName, const TPrintSource& Source,
             const TPrintRequest& Request, const QPageLayout& Page,
             const TPictureProgress& Progress, TFileSystem& Files) {
  ReplaceFile(
      FileName,
      [&](const TContentWriter& Write) {
        WritePdf(Source, Request, Page, Write, Progress);
      },
      Files);
}

QString ScaleText(double ScaleDenominator) {
  // Whole numbers, as scales are given, but for views zoomed in closely.
  return QStringLiteral("1:") +
         (ScaleDenominator >= 10.0
              ? QString::number(std::round(ScaleDenominator), 'f', 0)
              : QString::number(ScaleDenominator, 'g', 3));
}
