#include <stdexcept>

#include "curve_building.h"
#include "errors.h"
#include "map_window.h"
#include "number_entry.h"
#include "typed_entry.h"

void TfrmMap::RoundCorner() {
  TTrPoint* const point = SelectedPoint();
  if (point == nullptr || GestureUnderway()) return;
  if (point->LineCount() != 2) {
    ShowError(
        QStringLiteral("Point %1 is no corner of two lines").arg(point->Id));
    return;
  }
  QString text = CornerRadius;
  if (!AskRadius(text)) return;
  const std::optional<double> radius = TypedNumber(text);
  if (!radius || !(*radius >= 0.01 && *radius <= kLongestRadius)) {
    ShowError(
        QStringLiteral("The radius must be a number from 0.01 to 1000000"));
    return;
  }
  CornerRadius = text.trimmed();
  TCornerResult result = TCornerResult::NoCorner;
  try {
    Edit(QStringLiteral("Round Corner"),
         [&] { result = ::RoundCorner(Document_->Map(), point, *radius); });
  } catch (const std::runtime_error& Error) {
    // A coordinate too large, or no identifier left.
    ShowError(QString::fromUtf8(Error.what()));
    Repaint();
    return;
  }
  if (result == TCornerResult::NoCorner) {
    ShowError(
        QStringLiteral("The lines at point %1 go straight on or fold back")
            .arg(point->Id));
  } else if (result == TCornerResult::TooLarge) {
    ShowError(QStringLiteral("A radius of %1 m needs more of the lines at "
                             "point %2 than they have")
                  .arg(CornerRadius)
                  .arg(point->Id));
  }
  Repaint();
}

void TfrmMap::EditPointPosition() {
  TTrPoint* const point = SelectedPoint();
  if (point == nullptr || GestureUnderway()) return;
  QString x = EditableNumber(point->Pos.X);
  QString y = EditableNumber(point->Pos.Y);
  if (!AskPointPosition(x, y)) return;
  const std::optional<double> newX = TypedNumber(x);
  const std::optional<double> newY = TypedNumber(y);
  if (!newX || !newY) {
    ShowError(QStringLiteral("The position must be two numbers"));
    return;
  }
  try {
    Edit(QStringLiteral("Move Point"),
         [&] { Document_->Map().MovePoint(point, *newX, *newY); });
  } catch (const EFloatOverflow& Error) {
    ShowError(QString::fromUtf8(Error.what()));
  }
  Repaint();
}

bool TfrmMap::ShiftDown() const {
  return MouseKeys.testFlag(Qt::ShiftModifier);
}

bool TfrmMap::SnapsToGrid() const {
  return ModeButtons != nullptr && ModeButtons->SnapToGrid();
}

bool TfrmMap::Typing() const {
  return NumberEntry != nullptr && NumberEntry->IsOpen();
}

void TfrmMap::OpenEntry(const QString& Text) {
  if (!LeftGestureUnderway() || !Gesture->TakesTyping()) return;
  if (NumberEntry == nullptr) {
    NumberEntry = new TTypedEntry(this);
    NumberEntry->Entered = [this](const QString& Typed) { EntryTyped(Typed); };
    NumberEntry->Closed = [this] {
      setFocus();
      StatusChanged();
    };
  }
  NumberEntry->Open(MouseAt.value_or(QPoint(width() / 2, height() / 2)),
                    Gesture->TypingHint(), Text);
}

void TfrmMap::EntryTyped(const QString& Text) {
  if (!LeftGestureUnderway()) {
    NumberEntry->Close();
    return;
  }
  const QString why = Gesture->Typed(Text);
  if (!why.isEmpty() && LeftGestureUnderway()) {
    NumberEntry->Refuse(why);
    return;
  }
  if (!LeftGestureUnderway()) Gesture = nullptr;
  NumberEntry->Close();
  StatusChanged();
}

void TfrmMap::CloseEntry() {
  if (NumberEntry != nullptr) NumberEntry->Close();
}
