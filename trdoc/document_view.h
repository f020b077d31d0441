#pragma once

#include "map_view.h"

// A window showing a map document: the document tells it what changed so
// that it can show it.
class TDocumentView {
 public:
  // The map, the selection or the background changed by the work of
  // another view: shown soon.
  virtual void DocumentChanged() = 0;
  // A step of the history was taken back or done again: the map and the
  // selection are as the step left them, shown at once.
  virtual void HistoryMoved() = 0;
  // The name, the unsaved state or the number of views changed.
  virtual void DocumentStateChanged() = 0;
  // The map is about to be replaced by another: nothing under way may
  // touch it any more.
  virtual void MapReplacing() = 0;
  // The view that is kept for recovery with the map (the first view's).
  virtual TMapView KeptView() const = 0;

 protected:
  ~TDocumentView() = default;
};
