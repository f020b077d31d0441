// The spatial index changes nothing that can be seen: on random maps, in
// random views (turned maps, extreme scales, views far from the map), a
// paint that looks objects up draws exactly what a visit of every object
// draws, and the hit tests pick the same objects at the same distances.
// Neither does working out what to draw on two threads.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <numbers>
#include <random>

#include "image_canvas.h"
#include "map_builder.h"
#include "map_generator.h"
#include "map_hit_test.h"
#include "map_painter.h"
#include "recording_canvas.h"

namespace {

using test_maps::Kind;

class TRandom {
 public:
  explicit TRandom(unsigned Seed) : engine_(Seed) {}
  size_t Pick(size_t Count) {
    return std::uniform_int_distribution<size_t>(0, Count - 1)(engine_);
  }
  double Between(double Low, double High) {
    return std::uniform_real_distribution<double>(Low, High)(engine_);
  }
  int32_t Pixel(int32_t Low, int32_t High) {
    return std::uniform_int_distribution<int32_t>(Low, High)(engine_);
  }

 private:
  std::mt19937 engine_;
};

// Tracks and walls drawn point to point over a few kilometres, most of
// them in one town, some continued, some joined into switches, and trains
// of every length, some running on over many lines.
std::unique_ptr<TTrainStructureSV> RandomMap(TRandom& Random) {
  auto map = std::make_unique<TTrainStructureSV>();
  const auto place = [&] {
    const double spread = Random.Pick(3) == 0 ? 3000.0 : 300.0;
    return Random.Between(-spread, spread);
  };
  const auto anyPoint = [&] {
    return map->Points[Random.Pick(map->Points.size())].get();
  };
  for (int step = 0; step < 800; ++step) {
    const Kind kind = Random.Pick(4) == 0 ? Kind::Wall : Kind::Track;
    TTrPoint* from = map->Points.empty() ? nullptr : anyPoint();
    switch (Random.Pick(4)) {
      case 0:
        if (from != nullptr && from->LineCount() < 3) {
          const Kind same = from->IsWallPoint() ? Kind::Wall : Kind::Track;
          test_maps::BuildFrom(*map, from, place(), place(), same);
          break;
        }
        [[fallthrough]];
      case 1:
      case 2:
        test_maps::Build(*map, place(), place(), place(), place(), kind);
        break;
      default:
        if (from != nullptr && !from->Conn1.IsEmpty() && !from->IsWallPoint()) {
          const double length =
              Random.Pick(5) == 0 ? Random.Between(0, 5000) : 50.0;
          map->AddTrain(
              MakeOwned<TTrain>(from->Conn1.Line, from->Conn1.End, length));
        }
        break;
    }
  }
  return map;
}

// The generated map turned by an odd angle, so that few lines are level.
std::unique_ptr<TTrainStructureSV> TurnedMap() {
  auto map = GenerateMap(3000);
  const double c = std::cos(0.4);
  const double s = std::sin(0.4);
  for (const auto& point : map->Points) {
    const TTrVector p = point->Pos;
    map->MovePoint(point.get(), p.X * c - p.Y * s, p.X * s + p.Y * c);
  }
  return map;
}

TMapView RandomView(TRandom& Random) {
  TMapView view;
  view.Width = Random.Pixel(50, 900);
  view.Height = Random.Pixel(50, 700);
  // Mostly ordinary scales, at times extreme ones.
  const double power =
      Random.Pick(6) == 0 ? Random.Between(-60, 60) : Random.Between(-6, 5);
  view.Scale = std::exp2(power);
  const int32_t far = std::numeric_limits<int32_t>::max() - 10;
  switch (Random.Pick(5)) {
    case 0:  // far from the map
      view.OriginX = Random.Pixel(-far, far);
      view.OriginY = Random.Pixel(-far, far);
      break;
    default:  // the map's origin somewhere around the window
      view.OriginX = Random.Pixel(-3000, 3000);
      view.OriginY = Random.Pixel(-3000, 3000);
      break;
  }
  view.GridSpacing = 100.0;
  return view;
}

TPaintSelection RandomSelection(const TTrainStructureSV& Map, TRandom& Random) {
  TPaintSelection selection;
  switch (Random.Pick(4)) {
    case 0:
      selection.Point = Map.Points[Random.Pick(Map.Points.size())].get();
      break;
    case 1:
      selection.Line = Map.Tracks[Random.Pick(Map.Tracks.size())].get();
      break;
    case 2:
      if (!Map.Trains.empty()) {
        selection.Train = Map.Trains[Random.Pick(Map.Trains.size())].get();
      }
      break;
    default:
      break;
  }
  return selection;
}

struct TPicture {
  std::vector<std::string> Log;
  TPen Pen;
  TBrush Brush;

  bool operator==(const TPicture&) const = default;
};

// In runs, the objects are worked out in short runs on two threads and
// drawn in order, and points that later ones cover are passed over;
// otherwise every object is drawn one after the other on this thread.
enum class TWork { OneByOne, InRuns };

void Paint(TCanvas& Canvas, const TTrainStructureSV& Map, const TMapView& View,
           const TPaintSelection& Selection, const TSpatialIndex* Index,
           TWork Work) {
  TMapPainter painter(Canvas, Map, View, Selection, Index);
  if (Work == TWork::InRuns) {
    painter.SetThresholds(0, 7, 0.0);
  } else {
    painter.SetThresholds(SIZE_MAX, 1, HUGE_VAL);
  }
  painter.Paint();
}

TPicture Paint(const TTrainStructureSV& Map, const TMapView& View,
               const TPaintSelection& Selection, const TSpatialIndex* Index,
               TWork Work = TWork::OneByOne) {
  TRecordingCanvas canvas;
  canvas.Brush.Color = clRed;  // what a selection redraw might have left
  Paint(canvas, Map, View, Selection, Index, Work);
  return {canvas.Log, canvas.Pen, canvas.Brush};
}

QImage Picture(const TTrainStructureSV& Map, const TMapView& View,
               const TPaintSelection& Selection, const TSpatialIndex* Index,
               TWork Work = TWork::OneByOne) {
  TImageCanvas canvas(QSize(View.Width, View.Height));
  Paint(canvas, Map, View, Selection, Index, Work);
  return canvas.Picture();
}

// A click inside the window, near it, or anywhere in the pixel range.
int32_t RandomClick(TRandom& Random, int Size) {
  if (Random.Pick(4) == 0) {
    return Random.Pixel(std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max());
  }
  return Random.Pixel(-Size, 2 * Size);
}

void ExpectSameHits(const TTrainStructureSV& Map, const TMapView& View,
                    TRandom& Random) {
  const TSpatialIndex& index = Map.SpatialIndex();
  for (int click = 0; click < 20; ++click) {
    const int32_t x = RandomClick(Random, View.Width);
    const int32_t y = RandomClick(Random, View.Height);
    SCOPED_TRACE("click " + std::to_string(x) + "," + std::to_string(y));
    const TTrPoint* exclude =
        Random.Pick(3) == 0 ? Map.Points[Random.Pick(Map.Points.size())].get()
                            : nullptr;
    TTrPoint* point = nullptr;
    TTrPoint* pointSeen = nullptr;
    ASSERT_EQ(NearestPoint(Map, View, &index, x, y, exclude, point),
              NearestPoint(Map, View, nullptr, x, y, exclude, pointSeen));
    ASSERT_EQ(point, pointSeen);
    TTrLine* line = nullptr;
    TTrLine* lineSeen = nullptr;
    ASSERT_EQ(NearestLine(Map, View, &index, x, y, line),
              NearestLine(Map, View, nullptr, x, y, lineSeen));
    ASSERT_EQ(line, lineSeen);
    TTrain* train = nullptr;
    TTrain* trainSeen = nullptr;
    ASSERT_EQ(NearestTrain(Map, View, &index, x, y, train),
              NearestTrain(Map, View, nullptr, x, y, trainSeen));
    ASSERT_EQ(train, trainSeen);
  }
}

TEST(IndexExactness, PaintsAndHitTestsAsAVisitOfEveryObject) {
  TRandom random(2024);
  std::vector<std::unique_ptr<TTrainStructureSV>> maps;
  maps.push_back(TurnedMap());
  for (int i = 0; i < 3; ++i) maps.push_back(RandomMap(random));
  size_t lookedUp = 0;
  for (size_t m = 0; m < maps.size(); ++m) {
    const TTrainStructureSV& map = *maps[m];
    for (int v = 0; v < 60; ++v) {
      const TMapView view = RandomView(random);
      SCOPED_TRACE("map " + std::to_string(m) + ", scale " +
                   std::to_string(view.Scale) + ", origin " +
                   std::to_string(view.OriginX) + "," +
                   std::to_string(view.OriginY));
      const TPaintSelection selection = RandomSelection(map, random);
      const TPicture seen = Paint(map, view, selection, nullptr);
      ASSERT_EQ(Paint(map, view, selection, &map.SpatialIndex()), seen);
      // Worked out in runs on two threads, with or without the index.
      const TSpatialIndex* index = v % 2 == 0 ? &map.SpatialIndex() : nullptr;
      ASSERT_EQ(Paint(map, view, selection, index, TWork::InRuns), seen);
      // And so, on the window's own canvas, pixel for pixel.
      if (v % 10 == 0) {
        const QImage picture = Picture(map, view, selection, nullptr);
        ASSERT_EQ(Picture(map, view, selection, &map.SpatialIndex()), picture);
        ASSERT_EQ(Picture(map, view, selection, index, TWork::InRuns), picture);
      }
      ExpectSameHits(map, view, random);
      lookedUp += map.SpatialIndex().Selective(view.WorldAround(8.0));
    }
  }
  // Most views show a small part of the map, where the index is used.
  EXPECT_GT(lookedUp, 120u);
}

// Zoomed out until the map is a few dozen pixels across, most points share
// a pixel with others, switches among them, and most lines are dots under
// their points, or, simplified, lines of a pixel drawn again by later ones:
// what is passed over as covered changes no pixel.
TEST(IndexExactness, PassingOverWhatIsCoveredChangesNoPixel) {
  TRandom random(7);
  std::vector<std::unique_ptr<TTrainStructureSV>> maps;
  maps.push_back(TurnedMap());
  maps.push_back(RandomMap(random));
  for (const auto& map : maps) {
    for (const double scale : {2.0, 5.0, 10.0, 20.0, 60.0, 200.0}) {
      for (const bool simplified : {false, true}) {
        TMapView view;
        view.Width = 120;
        view.Height = 90;
        view.Scale = scale;
        view.OriginX = 60;
        view.OriginY = 45;
        view.Simplified = simplified;
        SCOPED_TRACE("scale " + std::to_string(scale) +
                     (view.Simplified ? ", simplified" : ""));
        const TPaintSelection selection = RandomSelection(*map, random);
        EXPECT_EQ(Picture(*map, view, selection, nullptr, TWork::InRuns),
                  Picture(*map, view, selection, nullptr));
      }
    }
  }
}

// What is passed over rests on this: the ellipse of a point, with a solid
// or a dotted pen, covers the point's own pixel.
TEST(IndexExactness, APointCoversItsPixel) {
  TTrainStructureSV map;
  const TTrPoint* point =
      test_maps::Build(map, 1.0, 1.0, 5.0, 5.0, Kind::Track)->P1;
  TMapView view;
  view.Width = 20;
  view.Height = 20;
  view.OriginX = 9;
  view.OriginY = 11;
  for (const TPenStyle style : {psSolid, psDot}) {
    TImageCanvas canvas(QSize(view.Width, view.Height));
    canvas.Erase(clGreen);
    canvas.Pen.Style = style;
    TMapPainter(canvas, map, view, {}).DrawPoint(*point);
    EXPECT_EQ(canvas.Picture().pixel(10, 10), 0xFF000000u | clBlack)
        << "style " << style;
  }
}

}  // namespace
