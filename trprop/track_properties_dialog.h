#pragma once

#include <QtWidgets/QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The properties dialog in two shapes: "Track Properties" (poles and
// platform of a track) and "Point Properties" (height of a wall point).
// The program keeps one instance, so a control keeps its last value until
// the next SetValues sets it.
class TfrmTrackPr : public QDialog {
 public:
  explicit TfrmTrackPr(QWidget* Parent = nullptr);

  QGroupBox* rgrPoles;
  QButtonGroup* PolesItems;  // ids 0 Side, 1 Middle, 2 Over
  QGroupBox* grbStation;
  QCheckBox* cbxPlatform;
  QGroupBox* grbWall;
  QLineEdit* edtHeight;
  QWidget* BottomPanel;
  QPushButton* Button1;
  QPushButton* Button2;

  // Chooses the shape and fills its controls. Poles outside 0..2 chooses no
  // item. Height is shown rounded to a whole number, halves to even.
  void SetValues(bool IsTrack, int Poles, bool Platform, double Height);
  // Reads back what the dialog shows; Poles is -1 when no item is chosen.
  // Throws EConvertError when the height text is not a whole number.
  void GetValues(int& Poles, bool& Platform, double& Height) const;
  // The track half of GetValues, which leaves the height text alone.
  void GetTrackValues(int& Poles, bool& Platform) const;

 private:
  // Stacks the visible groups from the top and sizes the client to fit.
  void ArrangeVisibleGroups();
};
