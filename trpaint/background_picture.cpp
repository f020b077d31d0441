#include "background_picture.h"

#include <QtGui/QImageReader>
#include <algorithm>
#include <stdexcept>

namespace {

// Qt refuses pictures above 256 MB by default; a scanned plan of 10,000 by
// 10,000 pixels needs 400 MB, and pictures up to about 23,000 pixels square
// are let through.
constexpr int kAllocationLimitMb = 2048;

}  // namespace

TBackgroundPicture::TBackgroundPicture(const QImage& Picture) {
  // The two formats the raster painter draws from fastest.
  Levels_.push_back(Picture.convertToFormat(
      Picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                : QImage::Format_RGB32));
  while (Levels_.back().width() > 1 || Levels_.back().height() > 1) {
    const QImage& last = Levels_.back();
    Levels_.push_back(
        last.scaled((last.width() + 1) / 2, (last.height() + 1) / 2,
                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
}

std::shared_ptr<const TBackgroundPicture> LoadBackgroundPicture(
    const QString& FileName) {
  QImageReader::setAllocationLimit(kAllocationLimitMb);
  QImageReader reader(FileName);
  reader.setAutoTransform(true);
  const QImage picture = reader.read();
  if (picture.isNull()) {
    throw std::runtime_error(
        QStringLiteral("Cannot read the background picture %1: %2")
            .arg(FileName, reader.errorString())
            .toStdString());
  }
  return std::make_shared<const TBackgroundPicture>(picture);
}

QString BackgroundPictureFilter() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  }
  return QStringLiteral("Pictures (%1)").arg(patterns.join(u' '));
}
