#include <gtest/gtest.h>

#include <algorithm>
#include <osmium/io/any_output.hpp>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/reader.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/io/xml_input.hpp>

#include "exchange_files.h"
#include "source_data.h"

namespace {

std::string Node(int Id, double Lat, double Lon) {
  return " <node id=\"" + std::to_string(Id) + "\" lat=\"" +
         std::to_string(Lat) + "\" lon=\"" + std::to_string(Lon) + "\"/>\n";
}

std::string Way(int Id, std::initializer_list<int> Nodes,
                const std::string& Tags = "<tag k=\"railway\" v=\"rail\"/>") {
  std::string text = " <way id=\"" + std::to_string(Id) + "\">";
  for (int node : Nodes) text += "<nd ref=\"" + std::to_string(node) + "\"/>";
  return text + Tags + "</way>\n";
}

// A switch: way 10 runs north from node 1 through 2 to 3 (with node 1
// given twice); way 11 leaves node 2 to the north-east.
const std::string kSwitch = Node(1, 52.0, 13.0) + Node(2, 52.001, 13.0) +
                            Node(3, 52.002, 13.0) + Node(4, 52.002, 13.0004) +
                            Way(10, {1, 1, 2, 3}) + Way(11, {2, 4});

const TTrPoint* PointAt(const TTrainStructureSV& Map, double Y) {
  for (const auto& point : Map.Points) {
    if (std::abs(point->Pos.Y - Y) < 1.0 && point->LineCount() == 3) {
      return point.get();
    }
  }
  return nullptr;
}

bool Has(const std::vector<std::string>& Reports, const std::string& Text) {
  return std::any_of(Reports.begin(), Reports.end(), [&](const auto& line) {
    return line.find(Text) != std::string::npos;
  });
}

std::string Failure(const std::string& File,
                    const TImportOptions& Options = {}) {
  TTrainStructureSV map;
  try {
    ImportMap(File, Options, map);
  } catch (const EImportError& error) {
    return error.what();
  }
  return "no failure";
}

TEST(ImportTest, SharedNodeOfThreeSegmentsIsASwitchEnteredFromOpposite) {
  TExchangeFiles files;
  TTrainStructureSV map;
  const TImportResult result =
      ImportMap(files.Write("switch.osm", OsmXml(kSwitch)), {}, map);
  ASSERT_EQ(map.Points.size(), 4u);
  ASSERT_EQ(map.Tracks.size(), 3u);
  EXPECT_TRUE(Has(result.Reports, "1 duplicate nodes"));
  // The data's centre is the origin: node 2 lies about 0 m north.
  const TTrPoint* node2 = nullptr;
  for (const auto& point : map.Points) {
    if (point->LineCount() == 3) node2 = point.get();
  }
  ASSERT_NE(node2, nullptr);
  EXPECT_NEAR(node2->Pos.Y, 0.0, 0.5);
  // Entry from the south, straight on north the default, the branch east.
  const TTrLine* entry = node2->Conn1.Line;
  const TTrLine* straight = node2->Conn2.Line;
  const TTrLine* branch = node2->Conn3.Line;
  const auto far = [&](const TTrLine* Line) {
    return Line->P1 == node2 ? Line->P2 : Line->P1;
  };
  EXPECT_LT(far(entry)->Pos.Y, -100.0);
  EXPECT_GT(far(straight)->Pos.Y, 100.0);
  EXPECT_NEAR(far(straight)->Pos.X, node2->Pos.X, 0.5);
  EXPECT_GT(far(branch)->Pos.X, node2->Pos.X + 20.0);
  // The links follow: the entry leads on to the default, its branch to
  // the other direction.
  const uint8_t end = entry->P1 == node2 ? 1 : 2;
  EXPECT_EQ(end == 1 ? entry->Next1.Line : entry->Next2.Line, straight);
  EXPECT_EQ(end == 1 ? entry->Branch1.Line : entry->Branch2.Line, branch);
  ASSERT_TRUE(result.Projection);
  EXPECT_NE(result.Projection->Crs.find("tmerc"), std::string::npos);
}

TEST(ImportTest, CrossingKeepsStraightPairsJoinedAtOnePlace) {
  // A diamond: two ways cross at node 5, both run straight through it.
  const std::string body = Node(1, 52.0, 13.0) + Node(2, 52.002, 13.0) +
                           Node(3, 52.001, 12.998) + Node(4, 52.001, 13.002) +
                           Node(5, 52.001, 13.0) + Way(10, {1, 5, 2}) +
                           Way(11, {3, 5, 4});
  TExchangeFiles files;
  TTrainStructureSV map;
  const TImportResult result =
      ImportMap(files.Write("crossing.osm", OsmXml(body)), {}, map);
  EXPECT_TRUE(Has(result.Reports, "crossing at node 5"));
  ASSERT_EQ(map.Points.size(), 6u);
  std::vector<const TTrPoint*> middle;
  for (const auto& point : map.Points) {
    if (point->LineCount() == 2) middle.push_back(point.get());
  }
  ASSERT_EQ(middle.size(), 2u);
  EXPECT_EQ(middle[0]->Pos.X, middle[1]->Pos.X);
  EXPECT_EQ(middle[0]->Pos.Y, middle[1]->Pos.Y);
  for (const TTrPoint* point : middle) {
    const TTrLine* a = point->Conn1.Line;
    const TTrLine* b = point->Conn2.Line;
    // The two lines of each point belong to one straight way.
    const double bearings =
        std::abs(std::abs(a->Bearing()) - std::abs(b->Bearing()));
    EXPECT_LT(bearings, 0.01);
  }
  // No gap is told for the points that share the crossing's place.
  EXPECT_FALSE(Has(result.Reports, "gap"));
}

TEST(ImportTest, NearEndsWithoutSharedNodeStayApartAndAreReported) {
  const std::string body = Node(1, 52.0, 13.0) + Node(2, 52.001, 13.0) +
                           Node(3, 52.0010002, 13.0) + Node(4, 52.002, 13.0) +
                           Way(10, {1, 2}) + Way(11, {3, 4});
  TExchangeFiles files;
  TTrainStructureSV map;
  const TImportResult result =
      ImportMap(files.Write("gap.osm", OsmXml(body)), {}, map);
  EXPECT_EQ(map.Points.size(), 4u);
  EXPECT_EQ(std::count_if(result.Reports.begin(), result.Reports.end(),
                          [](const auto& line) {
                            return line.find("gap at point") !=
                                   std::string::npos;
                          }),
            1);
}

// Long lines have few dead ends among many points, which the gap search
// takes another way round for.
TEST(ImportTest, NearEndsOfLongLinesAreReportedOnce) {
  std::string body;
  for (int i = 0; i < 40; ++i) {
    // Node 21 lies where node 20 does, the first of the second way.
    body += Node(i + 1, 52.0 + 0.0001 * (i < 20 ? i : i - 1), 13.0);
  }
  body += " <way id=\"10\">";
  for (int i = 1; i <= 20; ++i)
    body += "<nd ref=\"" + std::to_string(i) + "\"/>";
  body += "<tag k=\"railway\" v=\"rail\"/></way>\n <way id=\"11\">";
  for (int i = 21; i <= 40; ++i)
    body += "<nd ref=\"" + std::to_string(i) + "\"/>";
  body += "<tag k=\"railway\" v=\"rail\"/></way>\n";
  TExchangeFiles files;
  TTrainStructureSV map;
  const TImportResult result =
      ImportMap(files.Write("long.osm", OsmXml(body)), {}, map);
  ASSERT_EQ(map.Points.size(), 40u);
  std::vector<std::string> gaps;
  std::copy_if(result.Reports.begin(), result.Reports.end(),
               std::back_inserter(gaps), [](const std::string& line) {
                 return line.find("gap at point") != std::string::npos;
               });
  ASSERT_EQ(gaps.size(), 1u);
  const std::string other =
      "point " + std::to_string(map.Points[20]->Id) + " is 0.000 m away";
  EXPECT_EQ(
      gaps[0].rfind("gap at point " + std::to_string(map.Points[19]->Id), 0),
      0u);
  EXPECT_NE(gaps[0].find(other), std::string::npos);
}

TEST(ImportTest, BuildingsAsWallsAndPlatformsBesideTracks) {
  // A track beside a platform edge 3 m east, another 60 m off; a building
  // of four levels.
  const double metre = 1.0 / 68600.0;  // of longitude, near 52 degrees
  const std::string body =
      Node(1, 52.0, 13.0) + Node(2, 52.001, 13.0) +
      Node(3, 52.0, 13.0 + 60 * metre) + Node(4, 52.001, 13.0 + 60 * metre) +
      Node(5, 52.0002, 13.0 + 3 * metre) + Node(6, 52.0008, 13.0 + 3 * metre) +
      Node(7, 52.0, 12.999) + Node(8, 52.0, 12.9991) +
      Node(9, 52.0001, 12.9991) + Way(10, {1, 2}) + Way(11, {3, 4}) +
      Way(12, {5, 6}, "<tag k=\"railway\" v=\"platform\"/>") +
      Way(13, {7, 8, 9, 7},
          "<tag k=\"building\" v=\"yes\"/><tag k=\"building:levels\" "
          "v=\"4\"/>");
  TExchangeFiles files;
  const std::string file = files.Write("station.osm", OsmXml(body));
  TTrainStructureSV without;
  ImportMap(file, {}, without);
  EXPECT_EQ(without.Walls.size(), 0u);
  TImportOptions options;
  options.Buildings = true;
  TTrainStructureSV map;
  ImportMap(file, options, map);
  ASSERT_EQ(map.Tracks.size(), 2u);
  const auto& near = map.Tracks[0]->P1->Pos.X < map.Tracks[1]->P1->Pos.X
                         ? map.Tracks[0]
                         : map.Tracks[1];
  const auto& far = near == map.Tracks[0] ? map.Tracks[1] : map.Tracks[0];
  EXPECT_EQ(near->Platform, 1);
  EXPECT_EQ(far->Platform, 0);
  ASSERT_EQ(map.Walls.size(), 3u);
  for (const auto& wall : map.Walls) {
    EXPECT_EQ(wall->P1->Pos.Z, 12.0);
    EXPECT_EQ(wall->P1->LineCount(), 2);  // the ring is closed
  }
}

TEST(ImportTest, OtherFormatsGiveTheSameNetwork) {
  TExchangeFiles files;
  const std::string xml = files.Write("switch.osm", OsmXml(kSwitch));
  // PBF made by the same library from the XML file.
  const std::string pbf = files.Path("switch.osm.pbf");
  {
    osmium::io::Reader reader(xml);
    osmium::io::Writer writer(pbf);
    while (osmium::memory::Buffer buffer = reader.read())
      writer(std::move(buffer));
    writer.close();
    reader.close();
  }
  const std::string overpass = files.Write("switch.json",
                                           R"({"version":0.6,"elements":[
        {"type":"node","id":1,"lat":52.0,"lon":13.0},
        {"type":"node","id":2,"lat":52.001,"lon":13.0},
        {"type":"node","id":3,"lat":52.002,"lon":13.0},
        {"type":"node","id":4,"lat":52.002,"lon":13.0004},
        {"type":"way","id":10,"nodes":[1,1,2,3],"tags":{"railway":"rail"}},
        {"type":"way","id":11,"nodes":[2,4],"tags":{"railway":"rail"}},
        {"type":"way","id":12,"nodes":[3,4],"tags":{"highway":"path"}}]})");
  const std::string geojson =
      files.Write("switch.geojson",
                  R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{},"geometry":{"type":"MultiLineString",
         "coordinates":[[[13.0,52.0],[13.0,52.0],[13.0,52.001],[13.0,52.002]],
                        [[13.0,52.001],[13.0004,52.002]]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,2]}}]})");
  TTrainStructureSV reference;
  ImportMap(xml, {}, reference);
  for (const std::string& file : {pbf, overpass, geojson}) {
    SCOPED_TRACE(file);
    TTrainStructureSV map;
    ImportMap(file, {}, map);
    ASSERT_EQ(map.Points.size(), reference.Points.size());
    ASSERT_EQ(map.Tracks.size(), reference.Tracks.size());
    const TTrPoint* a = PointAt(map, 0.0);
    const TTrPoint* b = PointAt(reference, 0.0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NEAR(a->Pos.X, b->Pos.X, 0.001);
    EXPECT_NEAR(a->Conn3.Line->Bearing(), b->Conn3.Line->Bearing(), 1e-6);
  }
}

TEST(ImportTest, NamedSystemAndOrigin) {
  TExchangeFiles files;
  const std::string file = files.Write("switch.osm", OsmXml(kSwitch));
  TImportOptions options;
  options.Crs = "EPSG:25833";
  TTrainStructureSV centred;
  const TImportResult result = ImportMap(file, options, centred);
  ASSERT_TRUE(result.Projection);
  // UTM 33 north: 13 E 52 N lies some 363 km east, 5763 km north.
  EXPECT_NEAR(result.Projection->OriginX, 363000.0, 2000.0);
  EXPECT_NEAR(result.Projection->OriginY, 5763000.0, 3000.0);
  options.Origin = std::make_pair(result.Projection->OriginX - 100.0,
                                  result.Projection->OriginY);
  TTrainStructureSV moved;
  ImportMap(file, options, moved);
  EXPECT_NEAR(moved.Points[0]->Pos.X, centred.Points[0]->Pos.X + 100.0, 0.001);
  options.Crs = "EPSG:999999";
  EXPECT_NE(Failure(file, options).find("unknown coordinate system"),
            std::string::npos);
}

TEST(ImportTest, UnknownSystemIsToldAfterTheFileName) {
  TExchangeFiles files;
  const std::string file = files.Write("switch.osm", OsmXml(kSwitch));
  TImportOptions options;
  options.Crs = "nonsense";
  EXPECT_EQ(Failure(file, options),
            file + ": unknown coordinate system 'nonsense'");
}

TEST(ImportTest, BadInputNamesTheFileAndElement) {
  TExchangeFiles files;
  const struct {
    const char* Name;
    std::string Text;
    const char* Says;
  } cases[] = {
      {"cut.osm", OsmXml(kSwitch).substr(0, 200),
       "not readable as OpenStreetMap XML"},
      {"missing.osm", OsmXml(Node(1, 52, 13) + Way(10, {1, 7})),
       "way 10 references missing node 7"},
      {"range.osm", OsmXml(Node(1, 52, 13) + Node(2, 95, 13) + Way(10, {1, 2})),
       "node 2"},
      {"bad.osm.pbf", std::string("\0\0\0\x0d\x0a\x09OSMHeader garbage", 23),
       "not readable as OpenStreetMap PBF"},
      {"cut.json", R"({"elements":[{"type":"node","id":1,"lat":5)",
       "not readable as Overpass JSON"},
      {"missing.json",
       R"({"elements":[{"type":"way","id":3,"nodes":[9],"tags":{"railway":"rail"}}]})",
       "way 3 references missing node 9"},
      {"kind.geojson",
       R"({"type":"Feature","properties":{"kind":4},"geometry":{"type":"LineString","coordinates":[[0,0],[1,1]]}})",
       "not readable as GeoJSON"},
      {"position.geojson",
       R"({"type":"Feature","geometry":{"type":"LineString","coordinates":[[0,0],[1]]}})",
       "feature 0: a position is not [x, y]"},
      {"far.geojson",
       R"({"type":"Feature","geometry":{"type":"LineString","coordinates":[[0,0],[1e300,1]]}})",
       "coordinates out of range"},
      {"notes.txt", "just words", "not OpenStreetMap XML or PBF"},
  };
  for (const auto& each : cases) {
    const std::string file = files.Write(each.Name, each.Text);
    const std::string message = Failure(file);
    EXPECT_EQ(message.rfind(file + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(each.Says), std::string::npos) << message;
  }
  EXPECT_NE(Failure(files.Path("none.osm")).find("none.osm: "),
            std::string::npos);
}

}  // namespace
