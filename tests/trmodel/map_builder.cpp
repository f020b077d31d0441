#include "map_builder.h"

#include <memory>

#include "structure_check.h"

namespace test_maps {

namespace {

TTrLine* AddLine(TTrainStructureSV& Map, TTrPoint* Start, double X2,
                 double Y2, Kind Kind) {
  TTrPoint* end = Map.AddPoint(std::make_unique<TTrPoint>(X2, Y2, 0.0));
  end->Id = Map.NewId();
  std::unique_ptr<TTrLine> line;
  if (Kind == Kind::Track) {
    line = std::make_unique<TTrack>(Start, end);
  } else {
    line = std::make_unique<TWall>(Start, end);
  }
  TTrLine* added = Map.AddLine(std::move(line));
  added->Id = Map.NewId();
  const TTrLineEnd link = Start->Conn1.IsEmpty() ? Start->Conn2 : Start->Conn1;
  Map.Connect(link.Line, link.End, added, 1);
  Map.Connect(added, 2, nullptr, 0);
  return added;
}

}  // namespace

TTrLine* Build(TTrainStructureSV& Map, double X1, double Y1, double X2,
               double Y2, Kind Kind) {
  TTrPoint* start = Map.AddPoint(std::make_unique<TTrPoint>(X1, Y1, 0.0));
  start->Id = Map.NewId();
  return AddLine(Map, start, X2, Y2, Kind);
}

TTrLine* BuildFrom(TTrainStructureSV& Map, TTrPoint* Start, double X2,
                   double Y2, Kind Kind) {
  return AddLine(Map, Start, X2, Y2, Kind);
}

void Join(TTrainStructureSV& Map, TTrPoint* Gone, TTrLine* Line,
          TTrPoint* Keep) {
  if (Map.JoinPoint(Gone, Line, Keep)) Map.RemovePoint(Gone);
}

std::string Ref(const TTrLineEnd& End) {
  if (End.IsEmpty()) return "-";
  return std::to_string(End.Line->Id) + ":" + std::to_string(End.End);
}

std::string Problems(const TTrainStructureSV& Map) {
  std::string text;
  for (const std::string& problem : CheckStructure(Map)) text += problem + "\n";
  return text;
}

}  // namespace test_maps
