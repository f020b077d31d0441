#pragma once

#include <QtCore/QString>
#include <QtGui/QImage>
#include <memory>
#include <vector>

// A picture to draw under a map, made ready for every scale once, when it
// is read: the picture itself and copies of it halved again and again,
// each smoothed from the one before, down to a single pixel. Drawing a
// zoomed-out picture then blends a few neighbouring pixels of the copy that
// suits the scale, never thousands of the original.
class TBackgroundPicture {
 public:
  explicit TBackgroundPicture(const QImage& Picture);

  int Width() const { return Levels_.front().width(); }
  int Height() const { return Levels_.front().height(); }
  // Level 0 is the picture; level L + 1 is level L halved, rounded up.
  const std::vector<QImage>& Levels() const { return Levels_; }

 private:
  std::vector<QImage> Levels_;
};

// Reads a picture in any format Qt's image readers know; a large one takes
// a while, which a window shows with the busy cursor. Throws
// std::runtime_error with the message the user is shown.
std::shared_ptr<const TBackgroundPicture> LoadBackgroundPicture(
    const QString& FileName);

// The open dialog's filter for the formats that can be read here.
QString BackgroundPictureFilter();
