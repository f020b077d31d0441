#include <nlohmann/json.hpp>

#include "map_export.h"
#include "map_projection.h"
#include "source_data.h"
#include "train_structure.h"

using nlohmann::json;

namespace {

const char* PolesName(uint8_t Poles) {
  return Poles == 1 ? "middle" : Poles == 2 ? "over" : "side";
}

class TGeoJsonWriter {
 public:
  explicit TGeoJsonWriter(const std::optional<TProjectionSettings>& Settings) {
    if (Settings) projection_ = std::make_unique<TMapProjection>(*Settings);
  }

  json Position(double X, double Y) const {
    if (projection_ == nullptr) return json::array({X, Y});
    double lon = 0.0;
    double lat = 0.0;
    if (!projection_->ToLonLat(X, Y, lon, lat)) {
      throw EImportError("a point of the map has no longitude and latitude");
    }
    return json::array({lon, lat});
  }

  json Line(const TTrLine& Line, bool Track) const {
    json properties{{"id", Line.Id}, {"kind", Track ? "track" : "wall"}};
    if (Track) {
      const auto& track = static_cast<const TTrack&>(Line);
      properties["poles"] = PolesName(track.Poles);
      properties["platform"] = track.Platform != 0;
    } else {
      properties["heights"] = json::array({Line.P1->Pos.Z, Line.P2->Pos.Z});
    }
    return json{{"type", "Feature"},
                {"properties", properties},
                {"geometry",
                 {{"type", "LineString"},
                  {"coordinates",
                   json::array({Position(Line.P1->Pos.X, Line.P1->Pos.Y),
                                Position(Line.P2->Pos.X, Line.P2->Pos.Y)})}}}};
  }

  json Train(const TTrain& Train) const {
    TTrXY at{};
    Train.Position.GetXY(at);
    json properties{{"kind", "train"}, {"length", Train.Length}};
    if (Train.Position.Line != nullptr) {
      properties["track"] = Train.Position.Line->Id;
    }
    return json{{"type", "Feature"},
                {"properties", properties},
                {"geometry",
                 {{"type", "Point"}, {"coordinates", Position(at.X, at.Y)}}}};
  }

 private:
  std::unique_ptr<TMapProjection> projection_;
};

}  // namespace

std::string GeoJsonText(const TTrainStructureSV& Map,
                        const std::optional<TProjectionSettings>& Projection) {
  const TGeoJsonWriter writer(Projection);
  json features = json::array();
  for (const auto& track : Map.Tracks)
    features.push_back(writer.Line(*track, true));
  for (const auto& wall : Map.Walls)
    features.push_back(writer.Line(*wall, false));
  for (const auto& train : Map.Trains) {
    if (train->Position.Line != nullptr)
      features.push_back(writer.Train(*train));
  }
  json document{{"type", "FeatureCollection"}};
  if (Projection) {
    document["trn:projection"] = {
        {"crs", Projection->Crs},
        {"origin", json::array({Projection->OriginX, Projection->OriginY})}};
  } else {
    // Not longitude and latitude: a reader must not take them for it.
    document["crs"] = {{"type", "name"},
                       {"properties", {{"name", "trn:map-metres"}}}};
  }
  document["features"] = std::move(features);
  return document.dump(1) + "\n";
}
