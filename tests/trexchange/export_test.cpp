#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <gtest/gtest.h>

#include <map>

#include "errors.h"
#include "exchange_files.h"
#include "map_dump.h"
#include "map_export.h"
#include "projection_settings.h"
#include "source_data.h"

namespace {

// A station of tracks with a switch and a platform, a wall and a train.
const std::string kStation = OsmXml(
    R"( <node id="1" lat="52.0" lon="13.0"/>
 <node id="2" lat="52.001" lon="13.0"/>
 <node id="3" lat="52.002" lon="13.0"/>
 <node id="4" lat="52.002" lon="13.0004"/>
 <node id="5" lat="52.0012" lon="13.00005"/>
 <node id="6" lat="52.0018" lon="13.00005"/>
 <node id="7" lat="52.0" lon="12.999"/>
 <node id="8" lat="52.0" lon="12.9991"/>
 <way id="10"><nd ref="1"/><nd ref="2"/><nd ref="3"/><tag k="railway" v="rail"/></way>
 <way id="11"><nd ref="2"/><nd ref="4"/><tag k="railway" v="rail"/></way>
 <way id="12"><nd ref="5"/><nd ref="6"/><tag k="railway" v="platform"/></way>
 <way id="13"><nd ref="7"/><nd ref="8"/><tag k="building" v="yes"/><tag k="height" v="7.5"/></way>
)");

// The network as text without identifiers or positions, to compare: each
// line's kind, its properties and the lines its ends link to by order.
std::string Shape(const TTrainStructureSV& Map) {
  std::string text;
  for (const auto& point : Map.Points) {
    text += std::to_string(point->LineCount()) + " " +
            std::to_string(std::lround(point->Pos.X)) + " " +
            std::to_string(std::lround(point->Pos.Y)) + " " +
            std::to_string(point->Pos.Z) + "\n";
  }
  for (const auto& track : Map.Tracks) {
    text += "track " + std::to_string(track->Platform) + " " +
            std::to_string(track->Poles) + "\n";
  }
  return text;
}

TEST(ExportTest, GeoJsonImportsBackToTheSameNetwork) {
  TExchangeFiles files;
  TImportOptions options;
  options.Buildings = true;
  TTrainStructureSV map;
  const TImportResult imported =
      ImportMap(files.Write("station.osm", kStation), options, map);
  const std::string trn = files.Path("station.trn");
  map.SaveToFile(trn);
  SaveProjectionSettings(trn, *imported.Projection);
  map.Tracks[0]->Poles = 2;
  map.AddTrain(MakeOwned<TTrain>(map.Tracks[0].get(), 1, 50.0));
  // In longitude and latitude, the projection kept in the file.
  ExportMap(trn, map, files.Path("out.geojson"));
  TTrainStructureSV back;
  const TImportResult again =
      ImportMap(files.Path("out.geojson"), options, back);
  EXPECT_EQ(Shape(back), Shape(map));
  EXPECT_EQ(again.Projection, imported.Projection);
  for (size_t i = 0; i < map.Points.size(); ++i) {
    EXPECT_NEAR(back.Points[i]->Pos.X, map.Points[i]->Pos.X, 0.001);
    EXPECT_NEAR(back.Points[i]->Pos.Y, map.Points[i]->Pos.Y, 0.001);
  }
  // In metres, for a map without a projection.
  ExportMap(files.Path("plain.trn"), map, files.Path("metres.geojson"));
  TTrainStructureSV metres;
  const TImportResult plain =
      ImportMap(files.Path("metres.geojson"), options, metres);
  EXPECT_FALSE(plain.Projection);
  EXPECT_EQ(Shape(metres), Shape(map));
}

// What the library reads back: the lines of each layer.
class TLayerCounter : public DL_CreationAdapter {
 public:
  std::map<std::string, int> Lines;
  double HighestZ = 0.0;
  void addLine(const DL_LineData& Line) override {
    ++Lines[getAttributes().getLayer()];
    HighestZ = std::max({HighestZ, Line.z1, Line.z2});
  }
};

TEST(ExportTest, DxfHasTracksAndWallsOnLayersOfTheirOwn) {
  TExchangeFiles files;
  TImportOptions options;
  options.Buildings = true;
  TTrainStructureSV map;
  ImportMap(files.Write("station.osm", kStation), options, map);
  const std::string dxf = files.Path("station.dxf");
  ExportMap(files.Path("station.trn"), map, dxf);
  TLayerCounter counter;
  DL_Dxf reader;
  ASSERT_TRUE(reader.in(dxf, &counter));
  EXPECT_EQ(counter.Lines["tracks"], 3);
  EXPECT_EQ(counter.Lines["walls"], 1);
  EXPECT_EQ(counter.HighestZ, 7.5);
}

TEST(ExportTest, UnknownFormatAndDamagedProjectionLeaveNoFile) {
  TExchangeFiles files;
  TTrainStructureSV map;
  ImportMap(files.Write("station.osm", kStation), {}, map);
  const std::string trn = files.Path("station.trn");
  EXPECT_THROW(ExportMap(trn, map, files.Path("out.svg")), EImportError);
  files.Write("station.trn.projection", "TRN projection 1\norigin-x 1\n");
  EXPECT_THROW(ExportMap(trn, map, files.Path("out.geojson")), EFileError);
  files.Write("station.trn.projection",
              "TRN projection 1\ncrs EPSG:999999\norigin-x 1\norigin-y 2\n");
  try {
    ExportMap(trn, map, files.Path("out.geojson"));
    ADD_FAILURE() << "an unknown projected system was exported";
  } catch (const EImportError& Error) {
    EXPECT_TRUE(
        std::string(Error.what()).starts_with(files.Path("out.geojson")))
        << Error.what();
  }
  EXPECT_FALSE(std::filesystem::exists(files.Path("out.geojson")));
  EXPECT_FALSE(std::filesystem::exists(files.Path("out.svg")));
}

}  // namespace
