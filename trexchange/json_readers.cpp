#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "osm_tags.h"
#include "source_readers.h"

using nlohmann::json;

namespace {

// The marker of a file in a map's own metres, as the export writes it.
constexpr const char* kMapMetres = "trn:map-metres";

json Parse(std::string_view Text, const std::string& Name, const char* Format) {
  try {
    return json::parse(Text.begin(), Text.end());
  } catch (const json::exception& error) {
    throw EImportError(Name + ": not readable as " + Format + ": " +
                       error.what());
  }
}

[[noreturn]] void Bad(const std::string& Name, const std::string& What) {
  throw EImportError(Name + ": " + What);
}

double Number(const json& Value, const std::string& Name,
              const std::string& What) {
  if (!Value.is_number()) Bad(Name, What + ": not a number");
  const double number = Value.get<double>();
  if (!std::isfinite(number)) Bad(Name, What + ": not a number");
  return number;
}

TSourceData OverpassData(const json& document, const std::string& Name,
                         const TImportOptions& Options);

}  // namespace

TSourceData ReadOverpassJson(std::string_view Text, const std::string& Name,
                             const TImportOptions& Options) {
  const json document = Parse(Text, Name, "Overpass JSON");
  try {
    return OverpassData(document, Name, Options);
  } catch (const json::exception& error) {
    Bad(Name, std::string("not readable as Overpass JSON: ") + error.what());
  }
}

namespace {

TSourceData OverpassData(const json& document, const std::string& Name,
                         const TImportOptions& Options) {
  if (!document.is_object() || !document.contains("elements") ||
      !document["elements"].is_array()) {
    Bad(Name, "not Overpass JSON: no \"elements\" list");
  }
  std::unordered_map<int64_t, std::pair<double, double>> nodes;
  struct TPending {
    TSourceLine Line;
    const json* Nodes;
  };
  std::vector<TPending> ways;
  for (const json& element : document["elements"]) {
    if (!element.is_object() || !element.contains("type") ||
        !element.contains("id") || !element["id"].is_number_integer()) {
      Bad(Name, "element without a type and identifier");
    }
    const int64_t id = element["id"].get<int64_t>();
    const json& type = element["type"];
    if (type == "node") {
      const std::string what = "node " + std::to_string(id);
      if (!element.contains("lat") || !element.contains("lon")) {
        Bad(Name, what + ": coordinates missing");
      }
      nodes[id] = {Number(element["lon"], Name, what),
                   Number(element["lat"], Name, what)};
    } else if (type == "way") {
      const json* tags = element.contains("tags") && element["tags"].is_object()
                             ? &element["tags"]
                             : nullptr;
      auto line = LineForTags(
          [tags](const char* Key) -> const char* {
            if (tags == nullptr || !tags->contains(Key)) return nullptr;
            const json& value = (*tags)[Key];
            return value.is_string()
                       ? value.get_ref<const std::string&>().c_str()
                       : nullptr;
          },
          Options);
      if (!line) continue;
      line->Id = id;
      if (!element.contains("nodes") || !element["nodes"].is_array()) {
        Bad(Name, "way " + std::to_string(id) + ": no \"nodes\" list");
      }
      ways.push_back({std::move(*line), &element["nodes"]});
    }
  }
  TSourceData data;
  for (TPending& way : ways) {
    for (const json& ref : *way.Nodes) {
      if (!ref.is_number_integer()) {
        Bad(Name,
            "way " + std::to_string(way.Line.Id) + ": bad node reference");
      }
      const int64_t id = ref.get<int64_t>();
      const auto found = nodes.find(id);
      if (found == nodes.end()) {
        Bad(Name, "way " + std::to_string(way.Line.Id) +
                      " references missing node " + std::to_string(id));
      }
      way.Line.Vertices.push_back(
          {id, found->second.first, found->second.second});
    }
    data.Lines.push_back(std::move(way.Line));
  }
  return data;
}

class TGeoJsonReader {
 public:
  TGeoJsonReader(const std::string& Name) : name_(Name) {}

  TSourceData Read(const json& Document) {
    if (!Document.is_object() || !Document.contains("type")) {
      Bad(name_, "not GeoJSON: no \"type\"");
    }
    ReadCrs(Document);
    const json& type = Document["type"];
    if (type == "FeatureCollection") {
      if (!Document.contains("features") || !Document["features"].is_array()) {
        Bad(name_, "not GeoJSON: no \"features\" list");
      }
      size_t index = 0;
      for (const json& feature : Document["features"]) {
        Feature(feature, index++);
      }
    } else if (type == "Feature") {
      Feature(Document, 0);
    } else {
      Geometry(Document, json::object(), 0);
    }
    return std::move(data_);
  }

 private:
  void ReadCrs(const json& Document) {
    if (Document.contains("crs") && Document["crs"].is_object()) {
      const json& crs = Document["crs"];
      data_.Metres = crs.contains("properties") &&
                     crs["properties"].is_object() &&
                     crs["properties"].value("name", "") == kMapMetres;
    }
    if (Document.contains("trn:projection") &&
        Document["trn:projection"].is_object()) {
      const json& projection = Document["trn:projection"];
      const json& origin = projection.value("origin", json::array());
      if (!projection.contains("crs") || !projection["crs"].is_string() ||
          !origin.is_array() || origin.size() != 2) {
        Bad(name_, "damaged \"trn:projection\"");
      }
      data_.Projection =
          TProjectionSettings{projection["crs"].get<std::string>(),
                              Number(origin[0], name_, "trn:projection"),
                              Number(origin[1], name_, "trn:projection")};
    }
  }

  void Feature(const json& Feature, size_t Index) {
    const std::string what = "feature " + std::to_string(Index);
    if (!Feature.is_object() || Feature.value("type", json()) != "Feature") {
      Bad(name_, what + ": not a Feature");
    }
    const json& properties =
        Feature.contains("properties") && Feature["properties"].is_object()
            ? Feature["properties"]
            : json::object();
    if (!Feature.contains("geometry") || Feature["geometry"].is_null()) return;
    Geometry(Feature["geometry"], properties, Index);
  }

  void Geometry(const json& Geometry, const json& Properties, size_t Index) {
    const std::string what = "feature " + std::to_string(Index);
    if (!Geometry.is_object() || !Geometry.contains("type")) {
      Bad(name_, what + ": geometry without a type");
    }
    const json& type = Geometry["type"];
    if (type != "LineString" && type != "MultiLineString") return;
    if (!Geometry.contains("coordinates") ||
        !Geometry["coordinates"].is_array()) {
      Bad(name_, what + ": no coordinates");
    }
    TSourceLine line = Template(Properties, what);
    if (type == "LineString") {
      AddLine(line, Geometry["coordinates"], what);
    } else {
      for (const json& part : Geometry["coordinates"]) {
        AddLine(line, part, what);
      }
    }
  }

  TSourceLine Template(const json& Properties, const std::string& What) {
    TSourceLine line;
    line.Id = Properties.contains("id") && Properties["id"].is_number_integer()
                  ? Properties["id"].get<int64_t>()
                  : 0;
    const std::string kind = Properties.value("kind", "track");
    line.Wall = kind == "wall";
    line.PlatformEdge = kind == "platform";
    const std::string poles = Properties.value("poles", "side");
    line.Poles = poles == "middle" ? 1 : poles == "over" ? 2 : 0;
    line.Platform = Properties.value("platform", false);
    if (Properties.contains("heights") && Properties["heights"].is_array()) {
      for (const json& height : Properties["heights"]) {
        line.Heights.push_back(Number(height, name_, What + ": heights"));
      }
    } else if (Properties.contains("height")) {
      line.Height = Number(Properties["height"], name_, What + ": height");
    }
    return line;
  }

  void AddLine(TSourceLine Line, const json& Coordinates,
               const std::string& What) {
    if (!Coordinates.is_array()) Bad(name_, What + ": bad coordinates");
    for (const json& position : Coordinates) {
      if (!position.is_array() || position.size() < 2) {
        Bad(name_, What + ": a position is not [x, y]");
      }
      const double x = Number(position[0], name_, What);
      const double y = Number(position[1], name_, What);
      // Lines meet where they share a position exactly.
      const auto [found, added] = keys_.emplace(
          std::make_pair(x, y), static_cast<int64_t>(keys_.size()));
      Line.Vertices.push_back({found->second, x, y});
    }
    data_.Lines.push_back(std::move(Line));
  }

  const std::string& name_;
  TSourceData data_;
  std::map<std::pair<double, double>, int64_t> keys_;
};

}  // namespace

TSourceData ReadGeoJson(std::string_view Text, const std::string& Name) {
  const json document = Parse(Text, Name, "GeoJSON");
  try {
    return TGeoJsonReader(Name).Read(document);
  } catch (const json::exception& error) {
    Bad(Name, std::string("not readable as GeoJSON: ") + error.what());
  }
}
