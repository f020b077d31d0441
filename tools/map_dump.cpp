#include "map_dump.h"

#include <charconv>

#include "train_structure.h"

namespace {

std::string Real(double Value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, Value).ptr;
  return std::string(buffer, end);
}

std::string Ref(const TTrLineEnd& End) {
  if (End.IsEmpty()) return "-";
  return std::to_string(End.Line->Id) + ":" + std::to_string(End.End);
}

std::string PointId(const TTrPoint* Point) {
  return Point == nullptr ? "-" : std::to_string(Point->Id);
}

std::string LineFields(const TTrLine& Line) {
  return std::to_string(Line.Id) + " p1 " + PointId(Line.P1) + " p2 " +
         PointId(Line.P2) + " next1 " + Ref(Line.Next1) + " next2 " +
         Ref(Line.Next2) + " branch1 " + Ref(Line.Branch1) + " branch2 " +
         Ref(Line.Branch2);
}

}  // namespace

std::string DumpMap(const TTrainStructureSV& Map) {
  std::string text = "nextid " + std::to_string(Map.NextId) + "\n";
  for (const auto& point : Map.Points) {
    text += "point " + std::to_string(point->Id) + " " + Real(point->Pos.X) +
            " " + Real(point->Pos.Y) + " " + Real(point->Pos.Z) + " conn " +
            Ref(point->Conn1) + " " + Ref(point->Conn2) + " " +
            Ref(point->Conn3) + "\n";
  }
  for (const auto& track : Map.Tracks) {
    text += "track " + LineFields(*track) + " poles " +
            std::to_string(track->Poles) + " platform " +
            std::to_string(track->Platform) + "\n";
  }
  for (const auto& wall : Map.Walls) {
    text += "wall " + LineFields(*wall) + "\n";
  }
  for (const auto& train : Map.Trains) {
    const TTrLine* line = train->Position.Line;
    text += "train " + (line == nullptr ? "-" : std::to_string(line->Id)) +
            " dir " + std::to_string(train->Position.Dir) + " offset " +
            Real(train->Position.Offset) + " length " + Real(train->Length) +
            "\n";
  }
  return text;
}
