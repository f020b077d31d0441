#include "map_picture.h"

#include <algorithm>
#include <cctype>

std::optional<TPictureFormat> PictureFormatOf(const std::string& FileName) {
  const size_t dot = FileName.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string extension = FileName.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char C) { return std::tolower(C); });
  if (extension == "png") return TPictureFormat::Png;
  if (extension == "svg") return TPictureFormat::Svg;
  return std::nullopt;
}

void SavePicture(const std::string& FileName, TPictureFormat Format,
                 const TMapPicture& Picture, const TPictureProgress& Progress,
                 qsizetype StripBytes, TFileSystem& Files) {
  ReplaceFile(
      FileName,
      [&](const TContentWriter& Write) {
        if (Format == TPictureFormat::Png) {
          WritePng(Picture, Write, Progress, StripBytes);
        } else {
          WriteSvg(Picture, Write, Progress);
        }
      },
      Files);
}
