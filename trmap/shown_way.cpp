#include "shown_way.h"

#include <algorithm>

#include "map_document.h"
#include "route_text.h"
#include "train_route.h"

TShownWay::TShownWay(TMapDocument& ADocument, std::function<void()> AChanged)
    : Document(ADocument), Changed(std::move(AChanged)) {
  Document.Watch(this);
}

TShownWay::~TShownWay() { Document.Unwatch(this); }

std::unique_ptr<TShownWay> TShownWay::Route(TMapDocument& Document,
                                            TTrain& Train,
                                            std::function<void()> Changed) {
  std::unique_ptr<TShownWay> way(new TShownWay(Document, std::move(Changed)));
  way->Train_ = &Train;
  return way;
}

std::unique_ptr<TShownWay> TShownWay::Path(TMapDocument& Document,
                                           TTrPoint& From, TTrPoint& To,
                                           std::function<void()> Changed) {
  std::unique_ptr<TShownWay> way(new TShownWay(Document, std::move(Changed)));
  way->IsPath = true;
  way->From_ = &From;
  way->To_ = &To;
  return way;
}

bool TShownWay::Gone() const {
  return IsPath ? From_ == nullptr || To_ == nullptr : Train_ == nullptr;
}

void TShownWay::Forget() {
  Followed = false;
  Stretches_.clear();
  Switches_.clear();
  Changed();
}

void TShownWay::Follow() {
  if (Followed) return;
  Followed = true;
  Stretches_.clear();
  Switches_.clear();
  Lines_.clear();
  if (Gone()) return;
  if (IsPath) {
    TTrackPath path = Finder.Find(*From_, *To_);
    Lines_ = PathLines(path, From_->Id, To_->Id);
    Stretches_ = std::move(path.Stretches);
    Switches_ = std::move(path.Switches);
    return;
  }
  const auto& trains = Document.Map().Trains;
  const auto found =
      std::find_if(trains.begin(), trains.end(),
                   [this](const auto& Train) { return Train.get() == Train_; });
  TTrainRoute route = TraceRoute(Train_->Position);
  Lines_ = RouteLines(route, static_cast<size_t>(found - trains.begin()) + 1);
  Stretches_ = std::move(route.Stretches);
  Switches_ = std::move(route.Switches);
}

const TRouteStretches& TShownWay::Stretches() {
  Follow();
  return Stretches_;
}

const TSwitchPasses& TShownWay::Switches() {
  Follow();
  return Switches_;
}

const std::vector<std::string>& TShownWay::Lines() {
  Follow();
  return Lines_;
}

void TShownWay::Leaving(const TTrPoint& Point) {
  if (&Point != From_ && &Point != To_) return;
  From_ = To_ = nullptr;
  Forget();
}

void TShownWay::Leaving(const TTrain& Train) {
  if (&Train != Train_) return;
  Train_ = nullptr;
  Forget();
}
