#include "map_builder.h"

#include <memory>

#include "structure_check.h"

namespace test_maps {

TTrLine* Build(TTrainStructureSV& Map, double X1, double Y1, double X2,
               double Y2, Kind Kind) {
  TTrPoint* start = Map.NewPoint(X1, Y1);
  return BuildFrom(Map, start, X2, Y2, Kind);
}

TTrLine* BuildFrom(TTrainStructureSV& Map, TTrPoint* Start, double X2,
                   double Y2, Kind Kind) {
  TTrPoint* end = Map.NewPoint(X2, Y2);
  return Map.BuildLine(Start, end, Kind == Kind::Track);
}

void BuildNetwork(TTrainStructureSV& Map) {
  TTrLine* first = Build(Map, -150, 0, -50, 0);
  BuildFrom(Map, first->P2, 60, 0);
  TTrLine* siding = BuildFrom(Map, first->P2, 40, 70);
  Map.SetTrackProperties(AsTrack(siding), 0, 1);
  Build(Map, -150, -60, 60, -60, Kind::Wall);
  Map.AddTrain(MakeOwned<TTrain>(first, 1, 50.0));
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
