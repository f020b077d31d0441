#include "map_status.h"
#include "map_window.h"

QString TfrmMap::CursorStatus() const {
  if (!MouseAt) return QString();
  return CursorText(View(), MouseAt->x(), MouseAt->y());
}

QString TfrmMap::ViewStatus() const { return ViewText(View()); }

QString TfrmMap::SelectionStatus() const {
  if (LeftGestureUnderway()) {
    const QString drawing = Gesture->StatusText();
    if (!drawing.isEmpty()) return drawing;
  } else {
    // What a tool still shows from its last gesture (a measure).
    for (const auto& tool : Tools) {
      const QString shown = tool->StatusText();
      if (!shown.isEmpty()) return shown;
    }
  }
  if (const TTrainRun* run = RunState()) return RunText(*run, RunSpeedUp_);
  const TMapSelection& selection = Document_->Selection();
  const bool current = SelectedPoint() != nullptr ||
                       SelectedLine() != nullptr || SelectedTrain() != nullptr;
  if (selection.Count() > (current ? 1u : 0u)) {
    return GroupText(selection.Many.Points.Size(), selection.Many.Lines.Size(),
                     selection.Many.Trains.Size());
  }
  return SelectionText(SelectedPoint(), SelectedLine(), SelectedTrain());
}
