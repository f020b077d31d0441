#include "focus_return.h"

#include <QtCore/QEvent>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

namespace {

class TFocusReturn : public QObject {
 public:
  explicit TFocusReturn(QWidget& AFrame) : QObject(&AFrame), Frame(AFrame) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* Object, QEvent* Event) override {
    if (Event->type() != QEvent::Hide) return false;
    const auto* widget = qobject_cast<QWidget*>(Object);
    if (widget == nullptr || !widget->isWindow() || !widget->isModal()) {
      return false;
    }
    // Once the dialog is gone, and unless another one is still open.
    QTimer::singleShot(0, this, [this] {
      if (QApplication::activeModalWidget() == nullptr && Frame.isVisible() &&
          !Frame.isMinimized()) {
        Frame.activateWindow();
      }
    });
    return false;
  }

 private:
  QWidget& Frame;
};

}  // namespace

void ReturnFocusToFrameAfterDialogs(QWidget& Frame) { new TFocusReturn(Frame); }
