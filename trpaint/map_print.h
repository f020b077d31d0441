#pragma once

#include <QtCore/QRectF>
#include <QtCore/QSizeF>
#include <QtCore/QString>
#include <QtGui/QPageLayout>
#include <stdexcept>
#include <string>

#include "file_access.h"
#include "map_background.h"
#include "map_picture.h"
#include "map_view.h"
#include "train_structure.h"

class QPagedPaintDevice;

// Printing a map: on a printer or into a PDF, by the painter of the window,
// as vectors. A window pixel is 1/96 inch on paper, so that a print looks
// as the window does. Each page has the map in its map area, and below it
// the map's name, the page's number and the scale with a scale bar.

// What a print shows: the window's view (made smaller to fit the page when
// it is larger), the whole map fitted to one page, or the map at 1:Scale
// over as many pages as it needs.
enum class TPrintExtent { View, WholeMap, Scale };

struct TPrintRequest {
  TPrintExtent Extent = TPrintExtent::WholeMap;
  // The N of 1:N, for TPrintExtent::Scale.
  int Scale = 5000;
};

// The map printed, and the window's view: the extent of a print of the view,
// and the grid spacing of every print. No selection is printed.
struct TPrintSource {
  const TTrainStructureSV& Map;
  TMapView View;
  const TMapBackground* Underlay = nullptr;
  QString Title;
};

inline constexpr double kPrintPixelsPerInch = 96.0;
// The margins of PDF pages.
inline constexpr double kPdfMarginMm = 10.0;
// Below the map area: the name, the page's number and the scale.
inline constexpr double kFooterMm = 10.0;
// What neighbouring pages both show, to lay one over the other.
inline constexpr double kOverlapMm = 10.0;
inline constexpr int kMaxPrintPages = 500;
// The room kept around the map's points at a scale, in window pixels.
inline constexpr int kPrintMarginPixels = 8;

class EPrintTooLarge : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How a print lies on its pages.
struct TPrintLayout {
  // Where the map is drawn on each page, in millimetres from the top left
  // of the printable area; the footer lies below it.
  QRectF MapArea;
  int Columns = 1;
  int Rows = 1;
  // Millimetres of paper per pixel of View, and the N of 1:N printed.
  double MmPerPixel = 0.0;
  double ScaleDenominator = 0.0;
  // The whole print, in window pixels: each page shows a part of it.
  TMapView View;

  int Pages() const { return Columns * Rows; }
  // The pixel of View at the top left of the map area of the page in
  // Column and Row (from 0), in whole pixels and a fraction.
  QPointF PageCorner(int Column, int Row) const;
};

// Lays the print out on pages whose printable area is Printable
// millimetres. Throws EPrintTooLarge for a print of more than
// kMaxPrintPages pages or for paper too small to print on.
TPrintLayout LayOutPrint(const TPrintSource& Source,
                         const TPrintRequest& Request, const QSizeF& Printable);

// Draws the pages of Layout on Device, one after the other, telling
// Progress after each; a false from it throws EPictureCancelled.
void PaintPrint(QPagedPaintDevice& Device, const TPrintSource& Source,
                const TPrintLayout& Layout, const TPictureProgress& Progress);

// The page of a PDF: Paper, turned or not, with kPdfMarginMm margins.
QPageLayout PdfPageLayout(QPageSize::PageSizeId Paper,
                          QPageLayout::Orientation Orientation);

// The PDF of the print on pages of Page. Throws EPrintTooLarge,
// EPictureCancelled, or what Write throws.
void WritePdf(const TPrintSource& Source, const TPrintRequest& Request,
              const QPageLayout& Page, const TContentWriter& Write,
              const TPictureProgress& Progress);

// Writes the PDF to the named file with the atomic save of the maps: a
// failure or a cancel leaves the old file as it was, and no new one.
void SavePdf(const std::string& FileName, const TPrintSource& Source,
             const TPrintRequest& Request, const QPageLayout& Page,
             const TPictureProgress& Progress,
             TFileSystem& Files = SystemFileSystem());

// "1:5000": the scale as printed on the pages.
QString ScaleText(double ScaleDenominator);
