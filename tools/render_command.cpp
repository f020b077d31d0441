#include "render_command.h"

#include <QtCore/QFile>
#include <cstdio>
#include <exception>
#include <string_view>

#include "background_settings.h"
#include "map_fit.h"
#include "map_picture.h"
#include "tool_files.h"
#include "train_structure.h"

namespace {

constexpr int kDefaultLongSide = 4096;
constexpr int kMaxSide = 16384;

// A side of the picture: digits making 1 to kMaxSide.
std::optional<int> Side(std::string_view Text) {
  if (Text.empty() || Text.size() > 5) return std::nullopt;
  int value = 0;
  for (const char c : Text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxSide) return std::nullopt;
  return value;
}

}  // namespace

std::optional<TRenderRequest> RenderRequest(int Count, char** Args) {
  if (Count < 2) return std::nullopt;
  TRenderRequest request{Args[0], Args[1]};
  // Each option once, in either order.
  for (int i = 2; i < Count; ++i) {
    const std::string_view option = Args[i];
    if (option == "--background" && !request.Background) {
      request.Background = true;
      continue;
    }
    if (option != "--size" || request.Width > 0 || i + 1 == Count) {
      return std::nullopt;
    }
    const std::string_view size = Args[++i];
    const size_t x = size.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const std::optional<int> width = Side(size.substr(0, x));
    const std::optional<int> height = Side(size.substr(x + 1));
    if (!width || !height) return std::nullopt;
    request.Width = *width;
    request.Height = *height;
  }
  return request;
}

int Render(const TRenderRequest& Request) {
  const std::optional<TPictureFormat> format = PictureFormatOf(Request.Out);
  if (!format) {
    std::fprintf(stderr, "%s: not a picture type trntool writes (.png, .svg)\n",
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
  if (error.empty()) {
    const QSize size = Request.Width > 0 ? QSize(Request.Width, Request.Height)
                                         : FittedSize(map, kDefaultLongSide);
    const TMapPicture picture{map,
                              FittedView(map, size, TMapView().GridSpacing),
                              {},
                              kPictureBackground,
                              background ? &*background : nullptr};
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
