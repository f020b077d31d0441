#include "map_document.h"

#include <QtCore/QTimer>
#include <QtGui/QUndoStack>
#include <algorithm>
#include <utility>

#include "map_rows.h"

TMapDocument::TMapDocument()
    : Map_(std::make_unique<TTrainStructureSV>()),
      UndoStack_(std::make_unique<QUndoStack>()) {
  Map_->AddObserver(this);
  SetUpRecovery();
}

// The history goes first, while the document it reports to is still whole;
// what it says on its way out is no change of the map.
TMapDocument::~TMapDocument() {
  UndoStack_->disconnect();
  UndoStack_.reset();
}

void TMapDocument::AddView(TDocumentView* View) {
  Views.push_back(View);
  TellState();
}

void TMapDocument::RemoveView(TDocumentView* View) {
  std::erase(Views, View);
  TellState();
}

size_t TMapDocument::ViewNumber(const TDocumentView* View) const {
  const auto found = std::find(Views.begin(), Views.end(), View);
  return found == Views.end() ? 0
                              : static_cast<size_t>(found - Views.begin()) + 1;
}

void TMapDocument::Watch(TMapObserver* Observer) {
  Watchers.push_back(Observer);
}

void TMapDocument::Unwatch(TMapObserver* Observer) {
  std::erase(Watchers, Observer);
}

double TMapDocument::TrainSpeed(const TTrain& Train) const {
  const auto found = Speeds.find(&Train);
  return found != Speeds.end() ? found->second : kDefaultTrainSpeed;
}

void TMapDocument::SetTrainSpeed(const TTrain& Train, double Speed) {
  Speeds[&Train] = Speed;
}

void TMapDocument::Select(const TMapSelection& Selection,
                          const TDocumentView* By) {
  TMapSelection selection = Selection;
  selection.IncludeCurrent();
  if (selection == Selection_) return;
  Selection_ = std::move(selection);
  Changed(By);
}

void TMapDocument::Changed(const TDocumentView* By) {
  for (TDocumentView* view : Views) {
    if (view != By) view->DocumentChanged();
  }
}

void TMapDocument::TellState() {
  for (TDocumentView* view : Views) view->DocumentStateChanged();
}

// No redrawing here: the map is in the middle of a change, and whoever
// changes it shows it afterwards.
void TMapDocument::Leaving(const TTrPoint& Point) {
  if (Selection_.Point == &Point) Selection_.Point = nullptr;
  Selection_.Many.Points.Erase(&Point);
  for (TMapObserver* watcher : Watchers) watcher->Leaving(Point);
}

void TMapDocument::Leaving(const TTrLine& Line) {
  if (Selection_.Line == &Line) Selection_.Line = nullptr;
  Selection_.Many.Lines.Erase(&Line);
  for (TMapObserver* watcher : Watchers) watcher->Leaving(Line);
}

void TMapDocument::Leaving(const TTrain& Train) {
  if (Selection_.Train == &Train) Selection_.Train = nullptr;
  Selection_.Many.Trains.Erase(&Train);
  Speeds.erase(&Train);
  for (TMapObserver* watcher : Watchers) watcher->Leaving(Train);
}

void TMapDocument::BeforeChange(const TMapChange& Change) {
  for (TMapObserver* watcher : Watchers) watcher->BeforeChange(Change);
}

void TMapDocument::AfterChange(const TMapChange& Change) {
  for (TMapObserver* watcher : Watchers) watcher->AfterChange(Change);
}

std::unique_ptr<TTrainStructureSV> TMapDocument::ReplaceMap(
    std::unique_ptr<TTrainStructureSV> NewMap) {
  for (TDocumentView* view : Views) view->MapReplacing();
  // Drop what the document held, and every pointer into it, first.
  AbandonKeep();
  Selection_ = {};
  SelectionBefore = {};
  Speeds.clear();
  // The old history names the old map; the new one starts clean.
  UndoStack_->clear();
  UndoStack_->setClean();
  Map_->RemoveObserver(this);
  std::unique_ptr<TTrainStructureSV> old =
      std::exchange(Map_, std::move(NewMap));
  Map_->AddObserver(this);
  Background_.reset();
  Projection_.reset();
  return old;
}
