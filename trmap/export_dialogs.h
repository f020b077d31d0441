#pragma once

#include <QtWidgets/QDialog>
#include <QtWidgets/QFileDialog>

#include "map_picture.h"

class QRadioButton;
class QSpinBox;

// The file dialog of File > Export Image: "PNG image (*.png)" or "SVG
// image (*.svg)", asking before it replaces a file.
class TExportFileDialog : public QFileDialog {
 public:
  explicit TExportFileDialog(QWidget* Parent);
  // The format of the type chosen in the dialog.
  TPictureFormat ChosenFormat() const;
};

// The name a picture is written under, and its format: that of the name's
// own extension, or else the type chosen, whose extension is then added.
std::pair<QString, TPictureFormat> PictureFile(const QString& Name,
                                               TPictureFormat Chosen);

// What an exported picture shows.
struct TExportExtent {
  // The whole map fitted into LongSide pixels on its longer side, or the
  // map window's view at its size.
  bool WholeMap = false;
  int LongSide = 4096;
};

// Asks what to export: the current view (its size shown) or the whole map
// with the long side from 16 to 16384 pixels.
class TExportExtentDialog : public QDialog {
 public:
  TExportExtentDialog(QWidget* Parent, const QSize& ViewSize,
                      const TExportExtent& Extent);
  TExportExtent Extent() const;

  QRadioButton* rbnView;
  QRadioButton* rbnWholeMap;
  QSpinBox* edtLongSide;
};
