#include "render_command.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <cstdio>
#include <exception>
#include <string_view>

#include "background_settings.h"
#include "map_fit.h"
#include "map_picture.h"
#include "map_print.h"
#include "tool_files.h"
#include "train_structure.h"

namespace {

constexpr int kDefaultLongSide = 4096;

QPageSize::PageSizeId PaperOf(const std::string& Name) {
  const QString name = QString::fromStdString(Name).toLower();
  if (name == QStringLiteral("a3")) return QPageSize::A3;
  if (name == QStringLiteral("a5")) return QPageSize::A5;
  if (name == QStringLiteral("letter")) return QPageSize::Letter;
  if (name == QStringLiteral("legal")) return QPageSize::Legal;
  return QPageSize::A4;
}

// The pages of a PDF: the whole map on one, or at the scale asked for.
void SavePages(const TRenderRequest& Request, const TTrainStructureSV& Map,
               const TMapBackground* Background) {
  TMapView view;
  view.Simplified = Request.Simplify;
  const TPrintSource source{
      Map, view, Background,
      QFileInfo(QString::fromLocal8Bit(Request.In.c_str())).fileName()};
  const TPrintRequest print{
      Request.Scale > 0 ? TPrintExtent::Scale : TPrintExtent::WholeMap,
      Request.Scale};
  SavePdf(Request.Out, source, print,
          PdfPageLayout(PaperOf(Request.Paper), Request.Landscape
                                                    ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait),
          [](double) { return true; });
}

}  // namespace

int Render(const TRenderRequest& Request) {
  const bool pdf = IsPdfName(Request.Out);
  const std::optional<TPictureFormat> format = PictureFormatOf(Request.Out);
  if (!format && !pdf) {
    std::fprintf(stderr, "%s: not a type trntool writes (.png, .svg, .pdf)\n",
                 Request.Out.c_str());
    return 2;
  }
  TTrainStructureSV map;
  std::string error = LoadMap(map, Request.In);
  std::optional<TMapBackground> background;
  if (error.empty() && Request.Background) {
    try {
      if (const auto settings = LoadBackgroundSettings(Request.In)) {
        background = TMapBackground{
            *settings, LoadBackgroundPicture(
                           QString::fromLocal8Bit(settings->Picture.c_str()))};
      }
    } catch (const std::exception& failure) {
      error = failure.what();
    }
  }
  if (error.empty() && pdf) {
    try {
      SavePages(Request, map, background ? &*background : nullptr);
      return 0;
    } catch (const EPrintTooLarge& failure) {
      std::fprintf(stderr, "%s: %s\n", Request.Out.c_str(), failure.what());
      return 2;
    } catch (const std::exception& failure) {
      error = FailureMessage(Request.Out, failure);
    }
  } else if (error.empty()) {
    const QSize size = Request.Width > 0 ? QSize(Request.Width, Request.Height)
                                         : FittedSize(map, kDefaultLongSide);
    TMapView view = FittedView(map, size, TMapView().GridSpacing);
    view.Simplified = Request.Simplify;
    const TMapPicture picture{
        map, view, {}, kPictureBackground, background ? &*background : nullptr};
    try {
      SavePicture(Request.Out, *format, picture, [](double) { return true; });
      return 0;
    } catch (const std::exception& failure) {
      error = FailureMessage(Request.Out, failure);
    }
  }
  std::fprintf(stderr, "%s\n", error.c_str());
  return 1;
}
