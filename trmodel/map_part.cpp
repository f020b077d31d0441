#include "map_part.h"

#include <cstdint>
#include <limits>
#include <unordered_map>

#include "errors.h"
#include "track_position.h"

namespace {

// A new line of the kind of Line from P1 to P2, with its track properties.
TOwned<TTrLine> LineLike(const TTrLine& Line, TTrPoint* P1, TTrPoint* P2) {
  if (const auto* track = AsTrack(&Line)) {
    auto made = MakeOwned<TTrack>(P1, P2);
    made->Poles = track->Poles;
    made->Platform = track->Platform;
    return made;
  }
  return MakeOwned<TWall>(P1, P2);
}

// The objects of one map made anew for another, not yet in any map, and
// which object each is made from; the made ones stay named after they go
// into a map.
struct TCopies {
  std::unordered_map<const TTrPoint*, TOwned<TTrPoint>> Points;
  std::unordered_map<const TTrLine*, TOwned<TTrLine>> Lines;
  std::unordered_map<const TTrPoint*, TTrPoint*> PointMade;
  std::unordered_map<const TTrLine*, TTrLine*> LineMade;

  void AddPoint(const TTrPoint* From, TOwned<TTrPoint> Made) {
    PointMade.emplace(From, Made.get());
    Points.emplace(From, std::move(Made));
  }
  void AddLine(const TTrLine* From, TOwned<TTrLine> Made) {
    LineMade.emplace(From, Made.get());
    Lines.emplace(From, std::move(Made));
  }
  TTrPoint* PointFor(const TTrPoint* Point) const {
    const auto found = PointMade.find(Point);
    return found == PointMade.end() ? nullptr : found->second;
  }
  TTrLine* LineFor(const TTrLine* Line) const {
    const auto found = LineMade.find(Line);
    return found == LineMade.end() ? nullptr : found->second;
  }
  // Point's references to lines that were copied, in their order.
  void CopyReferences(const TTrPoint& Point, TTrPoint& Copy) const {
    TTrLineEnd* to[] = {&Copy.Conn1, &Copy.Conn2, &Copy.Conn3};
    size_t filled = 0;
    for (const TTrLineEnd* from : {&Point.Conn1, &Point.Conn2, &Point.Conn3}) {
      if (TTrLine* line = LineFor(from->Line)) {
        *to[filled++] = {line, from->End};
      }
    }
  }
};

// Tracks first, then walls, as the lists are kept.
template <typename TEach>
void ForEachLine(const TTrainStructureSV& Map, TEach Each) {
  for (const auto& line : Map.Tracks) Each(*line);
  for (const auto& line : Map.Walls) Each(*line);
}

}  // namespace

std::unique_ptr<TTrainStructureSV> CopyPart(
    const TTrainStructureSV& Map, const std::vector<TTrPoint*>& Points) {
  TCopies copies;
  // Each point once, however often Points names it.
  std::vector<const TTrPoint*> taken;
  for (const TTrPoint* point : Points) {
    if (copies.PointFor(point) != nullptr) continue;
    taken.push_back(point);
    auto copy = MakeOwned<TTrPoint>(point->Pos.X, point->Pos.Y, point->Pos.Z);
    copy->Id = point->Id;
    copies.AddPoint(point, std::move(copy));
  }
  std::vector<const TTrLine*> lines;
  const auto copyLine = [&](const TTrLine& Line) {
    TTrPoint* p1 = copies.PointFor(Line.P1);
    TTrPoint* p2 = copies.PointFor(Line.P2);
    if (p1 == nullptr || p2 == nullptr) return;
    TOwned<TTrLine> copy = LineLike(Line, p1, p2);
    copy->Id = Line.Id;
    copies.AddLine(&Line, std::move(copy));
    lines.push_back(&Line);
  };
  for (const auto& track : Map.Tracks) copyLine(*track);
  for (const auto& wall : Map.Walls) copyLine(*wall);

  auto part = std::make_unique<TTrainStructureSV>();
  part->SetNextId(Map.NextId);
  for (const TTrPoint* point : taken) {
    TTrPoint* copy = copies.PointFor(point);
    copies.CopyReferences(*point, *copy);
    ApplyLinkRule(*copy, SetLink);
  }
  for (const TTrPoint* point : taken) {
    part->AddPoint(std::move(copies.Points[point]));
  }
  for (const TTrLine* line : lines)
    part->AddLine(std::move(copies.Lines[line]));
  for (const auto& train : Map.Trains) {
    const TTrackPosition& at = train->Position;
    auto* line = at.Line != nullptr && IsTrack(at.Line)
                     ? copies.LineFor(at.Line)
                     : nullptr;
    if (line == nullptr) continue;
    auto copy = MakeOwned<TTrain>(line, at.Dir, train->Length);
    copy->Position.Offset = at.Offset;
    part->AddTrain(std::move(copy));
  }
  return part;
}

TObjectGroup PastePart(TTrainStructureSV& Map, const TTrainStructureSV& Part,
                       double DX, double DY) {
  const size_t needed =
      Part.Points.size() + Part.Tracks.size() + Part.Walls.size();
  // Past the last identifier each new one is searched for among every
  // line, which a large paste cannot wait for.
  if (Map.NextId < 0 ||
      needed > static_cast<size_t>(std::numeric_limits<int32_t>::max()) -
                   static_cast<size_t>(Map.NextId) + 1) {
    throw EIdentifierOverflow();
  }
  TCopies copies;
  TObjectGroup pasted;
  pasted.Points.Reserve(Part.Points.size());
  for (const auto& point : Part.Points) {
    auto copy =
        MakeOwned<TTrPoint>(point->Pos.X + DX, point->Pos.Y + DY, point->Pos.Z);
    copy->Id = Map.NewId();
    pasted.Points.Insert(copy.get());
    copies.AddPoint(point.get(), std::move(copy));
  }
  const auto copyLine = [&](const TTrLine& Line) {
    TOwned<TTrLine> copy =
        LineLike(Line, copies.PointFor(Line.P1), copies.PointFor(Line.P2));
    copy->Id = Map.NewId();
    pasted.Lines.Insert(copy.get());
    copies.AddLine(&Line, std::move(copy));
  };
  ForEachLine(Part, copyLine);
  // The part is sound, as every map is: its references and links carry
  // over as they are.
  for (const auto& point : Part.Points) {
    copies.CopyReferences(*point, *copies.PointFor(point.get()));
  }
  const auto copyLinks = [&](const TTrLine& Line) {
    TTrLine& copy = *copies.LineFor(&Line);
    const auto mapped = [&](const TTrLineEnd& End) {
      return TTrLineEnd{copies.LineFor(End.Line), End.End};
    };
    copy.Next1 = mapped(Line.Next1);
    copy.Next2 = mapped(Line.Next2);
    copy.Branch1 = mapped(Line.Branch1);
    copy.Branch2 = mapped(Line.Branch2);
  };
  ForEachLine(Part, copyLinks);
  for (const auto& point : Part.Points) {
    Map.AddPoint(std::move(copies.Points[point.get()]));
  }
  ForEachLine(Part, [&](const TTrLine& Line) {
    Map.AddLine(std::move(copies.Lines[&Line]));
  });
  for (const auto& train : Part.Trains) {
    const TTrackPosition& at = train->Position;
    auto copy =
        MakeOwned<TTrain>(copies.LineFor(at.Line), at.Dir, train->Length);
    copy->Position.Offset = at.Offset;
    pasted.Trains.Insert(Map.AddTrain(std::move(copy)));
  }
  return pasted;
}
