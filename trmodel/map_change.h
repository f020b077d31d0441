#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "map_objects.h"
#include "object_blocks.h"
#include "track_position.h"

// One change of a map, held the way the journal keeps it: each record holds
// the value that is not in the map right now. Applying a record exchanges
// that value with the map's, so the same step takes a change back and does
// it again, and a removed object stays alive inside its record.
namespace map_change {

struct TNextId {
  int32_t Value;
};

struct TPointPos {
  TTrPoint* Point;
  TTrVector Value;
};

// A point's reference or a line's link: both are line ends.
struct TLineEnd {
  TTrLineEnd* Field;
  TTrLineEnd Value;
};

// Which point lies at end End (1 or 2) of Line.
struct TLinePoint {
  TTrLine* Line;
  uint8_t End;
  TTrPoint* Value;
};

struct TTrackProperties {
  TTrack* Track;
  uint8_t Poles;
  uint8_t Platform;
};

struct TTrainLength {
  TTrain* Train;
  double Value;
};

// An object that is in its list at Index while Held is empty, and out of the
// map, owned by Held, otherwise.
template <typename T>
struct TListEntry {
  size_t Index;
  TOwned<T> Held;
};

// Objects of one list that leave it together and come back together, as
// one record, so that a deletion of many takes one pass over the list: the
// entries in the order of their indices, all in or all out.
template <typename T>
struct TListEntries {
  std::vector<TListEntry<T>> Entries;

  bool Out() const { return Entries.front().Held != nullptr; }
};

}  // namespace map_change

using TMapChange = std::variant<
    map_change::TNextId, map_change::TPointPos, map_change::TLineEnd,
    map_change::TLinePoint, map_change::TTrackProperties,
    map_change::TTrainLength, map_change::TListEntry<TTrPoint>,
    map_change::TListEntry<TTrack>, map_change::TListEntry<TWall>,
    map_change::TListEntry<TTrain>, map_change::TListEntries<TTrPoint>,
    map_change::TListEntries<TTrack>, map_change::TListEntries<TWall>,
    map_change::TListEntries<TTrain>>;
