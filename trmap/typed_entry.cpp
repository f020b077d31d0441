#include "typed_entry.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

TTypedEntry::TTypedEntry(QWidget* Parent) : QFrame(Parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setAutoFillBackground(true);
  lblHint = new QLabel(this);
  edtText = new QLineEdit(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 2, 3, 3);
  layout->setSpacing(1);
  layout->addWidget(lblHint);
  layout->addWidget(edtText);
  edtText->installEventFilter(this);
  hide();
}

void TTypedEntry::Open(QPoint At, const QString& Caption, const QString& Text) {
  lblHint->setText(Caption);
  edtText->setText(Text);
  adjustSize();
  // Beside the cursor, but inside the window.
  const QWidget* parent = parentWidget();
  const int x = std::max(0, std::min(At.x() + 16, parent->width() - width()));
  const int y = std::max(0, std::min(At.y() + 16, parent->height() - height()));
  move(x, y);
  Opened = true;
  show();
  raise();
  edtText->setFocus();
}

void TTypedEntry::Close() {
  if (!Opened) return;
  Opened = false;
  hide();
  Closed();
}

void TTypedEntry::Refuse(const QString& Why) {
  lblHint->setText(Why);
  adjustSize();
}

bool TTypedEntry::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == edtText && Event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(Event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Entered(edtText->text());
      return true;
    }
    if (key == Qt::Key_Escape) {
      Close();
      return true;
    }
  }
  if (Watched == edtText && Event->type() == QEvent::FocusOut) Close();
  return QFrame::eventFilter(Watched, Event);
}
