#pragma once

#include <QtWidgets/QFrame>
#include <functional>

class QLabel;
class QLineEdit;

// The small entry that opens beside the cursor when a number is typed
// during a gesture: a caption saying what to type (or why the last text was
// not taken) above the text. Enter hands the text over; Escape, or the
// focus going elsewhere, gives the gesture back to the mouse.
class TTypedEntry : public QFrame {
 public:
  explicit TTypedEntry(QWidget* Parent);

  QLabel* lblHint;
  QLineEdit* edtText;

  // Shows the entry at client pixel At of its parent with Caption and the
  // first text typed, and gives it the focus.
  void Open(QPoint At, const QString& Caption, const QString& Text);
  bool IsOpen() const { return Opened; }
  void Close();
  // Keeps the entry open with Why as its caption.
  void Refuse(const QString& Why);

  std::function<void(const QString& Text)> Entered = [](const QString&) {};
  std::function<void()> Closed = [] {};

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // Set from Open to Close: hiding moves the focus, which closes again.
  bool Opened = false;
};
