#include "up_down.h"

#include <QtWidgets/QToolButton>

TUpDown::TUpDown(int Min, int Max, int Position, QWidget* Parent)
    : QWidget(Parent), FMin(Min), FMax(Max), FPosition(Position) {
  const auto arrow = [this](Qt::ArrowType Type, TUDBtnType Step) {
    auto* button = new QToolButton(this);
    button->setArrowType(Type);
    button->setAutoRepeat(true);
    // The control never takes the focus away from the map window.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, Step] { Click(Step); });
    return button;
  };
  PrevButton = arrow(Qt::LeftArrow, TUDBtnType::btPrev);
  NextButton = arrow(Qt::RightArrow, TUDBtnType::btNext);
}

void TUpDown::Click(TUDBtnType Button) {
  const int position =
      Button == TUDBtnType::btNext ? FPosition + 1 : FPosition - 1;
  if (position < FMin || position > FMax) return;
  FPosition = position;
  if (OnClick) OnClick(Button);
}

void TUpDown::resizeEvent(QResizeEvent*) {
  const int half = width() / 2;
  PrevButton->setGeometry(0, 0, half, height());
  NextButton->setGeometry(half, 0, width() - half, height());
}
