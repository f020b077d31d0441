#pragma once

#include <QtWidgets/QFileDialog>

// Qt's own file dialog rather than the desktop's, so that it behaves the
// same on every desktop and can be driven in tests.

// What the open and the save dialog share: the "Train Map (*.TRN)" filter,
// and "TRN" appended to a name typed without an extension.
void ConfigureMapFileDialog(QFileDialog& Dialog);

// The frame's open dialog: "Open Train Map", accepting a name even when no
// such file exists. The frame keeps one, so it starts on the name chosen
// last.
void ConfigureOpenMapDialog(QFileDialog& Dialog);

// A map window's save dialog: asks before replacing a file and refuses a
// name in a folder that does not exist.
class TMapSaveDialog : public QFileDialog {
 public:
  explicit TMapSaveDialog(QWidget* Parent);

 protected:
  void accept() override;
};
