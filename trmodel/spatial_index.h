#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "bucket_grid.h"
#include "map_change.h"
#include "map_objects.h"
#include "map_observer.h"
#include "track_position.h"
#include "world_box.h"

class TTrainStructureSV;

// Finds the points, lines and trains of a map whose boxes meet a box of the
// world, and gives them in the order of their lists, which is the order in
// which they are drawn and hit-tested. Made from a map, then kept current
// by the map itself: every change passes through TTrainStructureSV::Apply,
// which tells the index before and after.
//
// The box of a point is its place, that of a line the box of its two
// points, and that of a train every place its track can take it: its length
// and offset around the end of its line at which it enters, wherever the
// links lead. An object whose box cannot be told (a line lacking a point)
// is taken to be everywhere.
//
// Objects are filed in a uniform grid of cells sized to the map when the
// index is made. Each carries a key that grows along its list, so that what
// a look-up finds can be put back in list order; keys are spaced out, so
// that an object put back into its list by an undo finds room between its
// neighbours.
class TSpatialIndex : public TMapObserver {
 public:
  explicit TSpatialIndex(const TTrainStructureSV& Map);
  TSpatialIndex(const TSpatialIndex&) = delete;
  TSpatialIndex& operator=(const TSpatialIndex&) = delete;

  // Whether finding the objects that meet Box takes fewer steps than
  // visiting every object would.
  bool Selective(const TWorldBox& Box) const;
  // About how many points lie in Box, judged by the cells it meets.
  size_t PointsAbout(const TWorldBox& Box) const;

  // The objects whose boxes meet Box, in list order. What a look-up gives
  // stays valid until the next look-up of the same kind, or a change of
  // the map: the index keeps it, so that a paint allocates nothing.
  // Look-ups of different kinds may run on different threads at once.
  std::span<TTrPoint* const> Points(const TWorldBox& Box) const;
  std::span<TTrack* const> Tracks(const TWorldBox& Box) const;
  std::span<TWall* const> Walls(const TWorldBox& Box) const;
  std::span<TTrain* const> Trains(const TWorldBox& Box) const;

  // Hands Visit(Object, Key) the objects of kind T (TTrPoint, TTrack, TWall
  // or TTrain) filed around the place (X, Y), nearer ones first by cells,
  // leaving out those filed only farther than Reach() metres (asked anew
  // as the walk goes on). Every object whose box lies within reach comes,
  // some perhaps more than once and in no list order: the keys give it.
  template <typename T, typename TVisit, typename TReach>
  void VisitAround(double X, double Y, TVisit Visit, TReach Reach) const {
    KindOf<T>().Grid.VisitAround(
        X, Y, [&](const auto& Entry) { Visit(Entry.Object(), Entry.Key()); },
        Reach);
  }

  static TWorldBox BoxOf(const TTrPoint& Point);
  static TWorldBox BoxOf(const TTrLine& Line);
  static TWorldBox BoxOf(const TTrain& Train);

  // Told by the map around each change it applies. BeforeChange takes out
  // what the change moves; AfterChange files it again where the change put
  // it. Once the index can no longer be kept current (its keys ran out
  // between two neighbours, or the map has outgrown its grid) it is Lost,
  // and the map drops it.
  void BeforeChange(const TMapChange& Change) override;
  void AfterChange(const TMapChange& Change) override;
  bool Lost() const { return Lost_; }

 private:
  bool Lost_ = false;
  // The objects of one kind: where they are filed, what BeforeChange took
  // out to be filed again, and room for look-ups.
  template <typename T>
  struct TKind {
    TBucketGrid<T> Grid;
    std::vector<std::pair<uint64_t, T*>> Lifted;
    mutable std::vector<typename TBucketGrid<T>::TEntry> Entries;
    mutable std::vector<typename TBucketGrid<T>::TEntry> Sorting;
    mutable std::vector<T*> Found;
  };

  template <typename T>
  const TKind<T>& KindOf() const {
    if constexpr (std::is_same_v<T, TTrPoint>) {
      return Points_;
    } else if constexpr (std::is_same_v<T, TTrack>) {
      return Tracks_;
    } else if constexpr (std::is_same_v<T, TWall>) {
      return Walls_;
    } else {
      return Trains_;
    }
  }
  template <typename T>
  TKind<T>& KindOf() {
    return const_cast<TKind<T>&>(std::as_const(*this).KindOf<T>());
  }
  template <typename T>
  const auto& ListOf() const;

  template <typename T>
  std::span<T* const> Find(const TWorldBox& Box) const;
  template <typename T>
  void Lift(T* Object);
  void LiftAt(const TTrPoint& Point);
  void LiftLine(TTrLine* Line, uint8_t End);
  // Takes out for good an object about to leave its list.
  template <typename T>
  void Forget(T* Object);
  template <typename T>
  void PutBack();
  // Files the Count objects that have just come into their list from
  // First on, with keys spread between those of their neighbours.
  template <typename T>
  bool FileInserted(size_t First, size_t Count);
  template <typename T>
  bool FileInserted(const std::vector<map_change::TListEntry<T>>& Entries);

  const TTrainStructureSV& Map;
  TKind<TTrPoint> Points_;
  TKind<TTrack> Tracks_;
  TKind<TWall> Walls_;
  TKind<TTrain> Trains_;
  // How many points the grid was laid out for.
  size_t PlannedPoints;
};
