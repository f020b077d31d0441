#pragma once

#include <memory>

#include "route_pieces.h"

// The shortest way along the track that a train can take from one point to
// another: on from line to line at a plain joint, and through a switch only
// from its entry into one of its legs or back, never from one leg to the
// other. A train does not reverse on the way.

enum class TPathFailure {
  None,
  // No track ends at From (NoTrackAt From) or at To.
  NoTrackAtFrom,
  NoTrackAtTo,
  // No track at all joins the two points.
  NotJoined,
  // Track joins them, but only through a turn from one leg of a switch to
  // the other.
  OnlyLegToLeg,
};

struct TTrackPath {
  TPathFailure Failure = TPathFailure::None;
  TRouteStretches Stretches;
  // Each switch with the direction it must be set to for the train.
  TSwitchPasses Switches;
  double Length = 0.0;

  bool Found() const { return Failure == TPathFailure::None; }
};

TTrackPath FindPath(const TTrPoint& From, const TTrPoint& To);

// Finds paths as FindPath does, keeping its memory from one search to the
// next: who searches again and again (after every edit) keeps one.
class TPathFinder {
 public:
  TPathFinder();
  ~TPathFinder();
  TPathFinder(const TPathFinder&) = delete;
  TPathFinder& operator=(const TPathFinder&) = delete;

  TTrackPath Find(const TTrPoint& From, const TTrPoint& To);

 private:
  class TSearch;
  std::unique_ptr<TSearch> Search_;
};
