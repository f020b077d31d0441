#include "sample_map.h"

std::unique_ptr<TTrainStructureSV> BuildSampleMap() {
  auto map = std::make_unique<TTrainStructureSV>();
  TTrainStructureSV& m = *map;

  TTrPoint* west = m.NewPoint(-150, -100);
  TTrPoint* middle = m.NewPoint(50, -100);
  TTrLine* approach = m.BuildLine(west, middle, true);
  TTrPoint* junction = m.NewPoint(250, -100);
  m.BuildLine(middle, junction, true);
  // The line into the junction is its entry, the first line out its
  // default direction, the second its other direction.
  TTrPoint* east = m.NewPoint(550, -100);
  m.BuildLine(junction, east, true);
  TTrPoint* bend = m.NewPoint(400, -200);
  m.BuildLine(junction, bend, true);
  TTrPoint* end = m.NewPoint(650, -200);
  TTrLine* platform = m.BuildLine(bend, end, true);
  static_cast<TTrack*>(platform)->Platform = 1;

  TTrPoint* wallStart = m.NewPoint(-150, -30);
  TTrPoint* wallCorner = m.NewPoint(550, -30);
  m.BuildLine(wallStart, wallCorner, false);
  m.BuildLine(wallCorner, m.NewPoint(550, 40), false);

  m.AddTrain(std::make_unique<TTrain>(approach, 1, 50.0));
  m.AddTrain(std::make_unique<TTrain>(platform, 2, 50.0));
  return map;
}
