#pragma once

#include <QtGui/QPageLayout>
#include <QtWidgets/QDialog>
#include <QtWidgets/QFileDialog>
#include <functional>

#include "map_print.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// The paper of a PDF, which has no printer to choose it.
struct TPdfPaper {
  QPageSize::PageSizeId Size = QPageSize::A4;
  QPageLayout::Orientation Orientation = QPageLayout::Portrait;
  QPageLayout Layout() const { return PdfPageLayout(Size, Orientation); }
};

// The paper sizes offered for a PDF.
inline constexpr QPageSize::PageSizeId kPdfPapers[] = {
    QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::Letter,
    QPageSize::Legal};

// Asks what a print or a PDF shows: the current view, the whole map on one
// page, or the map at a typed scale 1:N over as many pages as it needs;
// for a PDF also its paper. Below, how many pages that takes on the paper
// (Pages tells it, or why it cannot be printed).
class TPrintExtentDialog : public QDialog {
 public:
  using TPagesText =
      std::function<QString(const TPrintRequest& Request, const QPageLayout&)>;
  // Without Paper, the pages are those of Page, and no paper is offered.
  TPrintExtentDialog(QWidget* Parent, const QString& Title,
                     const TPrintRequest& Request, const TPdfPaper* Paper,
                     const QPageLayout& Page, TPagesText Pages);
  TPrintRequest Request() const;
  TPdfPaper Paper() const;

  QRadioButton* rbnView;
  QRadioButton* rbnWholeMap;
  QRadioButton* rbnScale;
  QSpinBox* edtScale;
  // Present for a PDF only.
  QComboBox* cbxPaper = nullptr;
  QRadioButton* rbnPortrait = nullptr;
  QRadioButton* rbnLandscape = nullptr;
  QLabel* lblPages;

 private:
  void ShowPages();
  QPageLayout Page;
  TPagesText Pages;
};

// The file dialog of File > Export PDF: "PDF document (*.pdf)", asking
// before it replaces a file; a name without an extension gets ".pdf".
class TPdfFileDialog : public QFileDialog {
 public:
  explicit TPdfFileDialog(QWidget* Parent);
};
