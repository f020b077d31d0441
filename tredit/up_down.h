#pragma once

#include <QtWidgets/QWidget>
#include <functional>

class QToolButton;

enum class TUDBtnType { btNext, btPrev };

// A horizontal pair of arrow buttons stepping a position between Min and Max
// without wrapping round. It reports a step only when the position really
// changes: a press toward a limit already reached says nothing.
class TUpDown : public QWidget {
 public:
  TUpDown(int Min, int Max, int Position, QWidget* Parent = nullptr);

  int Position() const { return FPosition; }
  // Presses the right arrow (btNext) or the left one (btPrev).
  void Click(TUDBtnType Button);

  std::function<void(TUDBtnType Button)> OnClick;

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  const int FMin;
  const int FMax;
  int FPosition;
  QToolButton* PrevButton;
  QToolButton* NextButton;
};
