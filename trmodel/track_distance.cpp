#include "track_distance.h"

#include <functional>
#include <map>
#include <queue>
#include <utility>
#include <vector>

#include "map_objects.h"

namespace {

// A line entered at one of its ends.
using TEntry = std::pair<const TTrLine*, uint8_t>;

struct TStep {
  double Distance;
  TEntry Entry;
  bool operator>(const TStep& Other) const { return Distance > Other.Distance; }
};

}  // namespace

std::optional<double> AlongTrackDistance(const TTrPoint& From,
                                         const TTrPoint& To) {
  if (&From == &To) return 0.0;
  // Arriving at To is a state of its own: the first time it comes off the
  // queue is the shortest way there.
  const TEntry arrived{nullptr, 0};
  std::priority_queue<TStep, std::vector<TStep>, std::greater<>> open;
  std::map<TEntry, double> best;
  const auto reach = [&](const TEntry& Entry, double Distance) {
    const auto found = best.find(Entry);
    if (found != best.end() && found->second <= Distance) return;
    best[Entry] = Distance;
    open.push({Distance, Entry});
  };
  const auto enter = [&](const TTrLineEnd& End, double Distance) {
    if (!End.IsEmpty() && IsTrack(End.Line)) {
      reach({End.Line, End.End == 2 ? 2 : 1}, Distance);
    }
  };
  for (const TTrLineEnd* conn : {&From.Conn1, &From.Conn2, &From.Conn3}) {
    enter(*conn, 0.0);
  }
  while (!open.empty()) {
    const TStep step = open.top();
    open.pop();
    if (step.Entry == arrived) return step.Distance;
    if (best[step.Entry] < step.Distance) continue;
    const TTrLine& line = *step.Entry.first;
    const bool atFirst = step.Entry.second == 1;
    const double distance = step.Distance + line.Length();
    if ((atFirst ? line.P2 : line.P1) == &To) {
      reach(arrived, distance);
      continue;
    }
    enter(atFirst ? line.Next2 : line.Next1, distance);
    enter(atFirst ? line.Branch2 : line.Branch1, distance);
  }
  return std::nullopt;
}
