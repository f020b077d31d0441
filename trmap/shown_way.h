#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "map_observer.h"
#include "route_pieces.h"
#include "track_path.h"

class TMapDocument;
class TTrPoint;
class TTrain;

// A way over the map of a document that a window shows: the route of a
// train, or the path between two points. It is followed again, when asked,
// after every change of the map, and is gone once its train or one of its
// points leaves the map. Changed is told of every change of the map, and
// of the leaving, as it happens: in the middle of the change, where the
// way may not be followed nor let go of.
class TShownWay : private TMapObserver {
 public:
  static std::unique_ptr<TShownWay> Route(TMapDocument& Document, TTrain& Train,
                                          std::function<void()> Changed);
  static std::unique_ptr<TShownWay> Path(TMapDocument& Document, TTrPoint& From,
                                         TTrPoint& To,
                                         std::function<void()> Changed);
  ~TShownWay();
  TShownWay(const TShownWay&) = delete;
  TShownWay& operator=(const TShownWay&) = delete;

  bool IsRoute() const { return !IsPath; }
  // What it follows; none once that has left the map.
  const TTrain* Train() const { return Train_; }
  const TTrPoint* From() const { return From_; }
  const TTrPoint* To() const { return To_; }
  bool Gone() const;

  // The way in the map as it is now (nothing once it is gone): the
  // stretches of line it covers, the switches it passes, and the lines
  // that list it (route_text.h).
  const TRouteStretches& Stretches();
  const TSwitchPasses& Switches();
  const std::vector<std::string>& Lines();

 private:
  TShownWay(TMapDocument& Document, std::function<void()> Changed);
  void Follow();
  void AfterChange(const TMapChange&) override { Forget(); }
  // Lets go of what was followed, which names objects the map may no
  // longer have, and tells Changed.
  void Forget();
  void Leaving(const TTrPoint& Point) override;
  void Leaving(const TTrain& Train) override;

  TMapDocument& Document;
  std::function<void()> Changed;
  bool IsPath = false;
  TTrain* Train_ = nullptr;
  TTrPoint* From_ = nullptr;
  TTrPoint* To_ = nullptr;
  TPathFinder Finder;
  // What was followed since the last change of the map.
  TRouteStretches Stretches_;
  TSwitchPasses Switches_;
  std::vector<std::string> Lines_;
  bool Followed = false;
};
