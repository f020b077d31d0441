#pragma once

#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <functional>
#include <memory>
#include <optional>

#include "map_background.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The picture of the dialog, small; a click on it tells the picture pixel
// under the mouse.
class TPicturePreview : public QLabel {
 public:
  explicit TPicturePreview(QWidget* Parent);
  // Shows Picture fitted into the preview's size; none shows nothing.
  void Show(const TBackgroundPicture* Picture);
  std::function<void(double U, double V)> Clicked = [](double, double) {};

 protected:
  void mousePressEvent(QMouseEvent* Event) override;

 private:
  // Picture pixels per preview pixel.
  double Reduction = 1.0;
};

// Map > Background: the picture under the map, placed by numbers (metres
// per picture pixel, the world position of its top-left corner and how far
// it is turned) or by two reference points (a spot of the picture, clicked
// or typed, and the world position it is to have), its opacity, shown or
// hidden; or removed. The window keeps one and fills it each time.
class TfrmBackground : public QDialog {
 public:
  explicit TfrmBackground(QWidget* Parent = nullptr);

  QLineEdit* edtPicture;
  QPushButton* btnBrowse;
  TPicturePreview* Preview;
  QRadioButton* rbNumbers;
  QLineEdit* edtMetres;
  QLineEdit* edtLeft;
  QLineEdit* edtTop;
  QLineEdit* edtTurn;
  QRadioButton* rbReferences;
  // Per reference point: picture column and row, world x and y.
  QLineEdit* edtReference[2][4];
  QSpinBox* spnOpacity;
  QCheckBox* cbxVisible;
  QPushButton* btnRemove;

  // Fills the controls from Background; none offers a new picture, shown
  // whole and at one metre per pixel.
  void SetValues(const std::optional<TMapBackground>& Background);
  // Whether the dialog closed with Remove.
  bool RemoveChosen() const { return Removed; }
  // The background the controls describe, its picture read unless it is
  // the one shown before. Throws std::runtime_error with the message the
  // user is shown for a bad entry or a picture that cannot be read.
  TMapBackground Values() const;

  // Asks for a picture file (an open dialog unless replaced).
  std::function<std::optional<QString>()> AskPictureFile;

 private:
  void Browse();
  void ShowPicture(const QString& FileName);
  void ReferenceClicked(double U, double V);

  std::shared_ptr<const TBackgroundPicture> Shown;
  QString ShownFile;
  // The reference point the next click on the picture sets.
  int NextReference = 0;
  bool Removed = false;
};
