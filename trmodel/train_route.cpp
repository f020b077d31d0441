#include "train_route.h"

#include <algorithm>
#include <unordered_map>

namespace {

// A line entered at one end: the state that decides all that follows.
struct TEntry {
  const TTrLine* Line;
  bool FromP1;
  bool operator==(const TEntry&) const = default;
};

struct TEntryHash {
  size_t operator()(const TEntry& Entry) const {
    return std::hash<const void*>()(Entry.Line) * 2 + Entry.FromP1;
  }
};

}  // namespace

TTrainRoute TraceRoute(const TTrackPosition& From, double Limit) {
  TTrainRoute route;
  TTrLine* line = From.Line;
  if (line == nullptr) return route;
  uint8_t dir = From.Dir;
  // A place beyond either end of its line stands at that end.
  const double start = std::clamp(From.Offset, 0.0, line->Length());
  // Where along the route each line was entered; the first one before the
  // start, by as much as the train stands into it.
  std::unordered_map<TEntry, double, TEntryHash> entered;
  const TEntry first{line, dir == 1};
  double at = -start;
  double from = start;
  while (true) {
    entered.emplace(TEntry{line, dir == 1}, at);
    const double length = line->Length();
    if (at + length >= Limit) {
      route.Stretches.push_back({line, dir, from, Limit - at});
      route.Length = Limit;
      route.End = TRouteEnd::Limit;
      return route;
    }
    route.Stretches.push_back({line, dir, from, length});
    at += length;
    const TTrLineEnd leaving = FarEnd(line, dir);
    const TTrLineEnd next = dir == 1 ? line->Next2 : line->Next1;
    if (next.IsEmpty()) {
      route.Length = at;
      route.End = TRouteEnd::DeadEnd;
      route.EndPoint = EndPoint(leaving);
      return route;
    }
    TSwitchWay way;
    const TTrPoint* point = EndPoint(leaving);
    if (SwitchWay(*point, leaving, next, way)) {
      route.Switches.push_back({point, at, way});
    }
    line = next.Line;
    dir = next.End;
    from = 0.0;
    const TEntry key{line, dir == 1};
    const auto again = entered.find(key);
    if (again == entered.end()) continue;
    if (key == first) {
      // Back where the train stands: the whole route is the loop.
      const double rest = std::min(start, Limit - at);
      if (rest > 0.0) route.Stretches.push_back({line, dir, 0.0, rest});
      at += rest;
    }
    route.Length = at;
    if (at >= Limit) {
      route.End = TRouteEnd::Limit;
    } else {
      route.End = TRouteEnd::Loop;
      route.LoopLength = key == first ? at : at - again->second;
    }
    return route;
  }
}
