#include <algorithm>
#include <osmium/io/pbf_input.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>
#include <unordered_map>

#include "osm_tags.h"
#include "source_readers.h"

namespace {

struct TNodePlace {
  int64_t Id;
  double Lon;
  double Lat;
  bool operator<(const TNodePlace& Other) const { return Id < Other.Id; }
};

struct TPendingWay {
  TSourceLine Line;
  std::vector<int64_t> Nodes;
};

TSourceData ReadOsm(const osmium::io::File& File, const std::string& Name,
                    bool Pbf, const TImportOptions& Options) {
  std::vector<TNodePlace> places;
  std::vector<TPendingWay> ways;
  try {
    osmium::io::Reader reader(
        File, osmium::osm_entity_bits::node | osmium::osm_entity_bits::way);
    while (osmium::memory::Buffer buffer = reader.read()) {
      for (const osmium::OSMEntity& entity : buffer) {
        if (entity.type() == osmium::item_type::node) {
          const auto& node = static_cast<const osmium::Node&>(entity);
          const osmium::Location at = node.location();
          if (!at.valid()) {
            throw EImportError(Name + ": node " + std::to_string(node.id()) +
                               ": coordinates missing or out of range");
          }
          places.push_back({node.id(), at.lon(), at.lat()});
        } else if (entity.type() == osmium::item_type::way) {
          const auto& way = static_cast<const osmium::Way&>(entity);
          const osmium::TagList& tags = way.tags();
          auto line = LineForTags(
              [&tags](const char* Key) { return tags.get_value_by_key(Key); },
              Options);
          if (!line) continue;
          line->Id = way.id();
          TPendingWay pending{std::move(*line), {}};
          pending.Nodes.reserve(way.nodes().size());
          for (const osmium::NodeRef& ref : way.nodes()) {
            pending.Nodes.push_back(ref.ref());
          }
          ways.push_back(std::move(pending));
        }
      }
    }
    reader.close();
  } catch (const EImportError&) {
    throw;
  } catch (const std::exception& error) {
    throw EImportError(Name + ": not readable as OpenStreetMap " +
                       (Pbf ? "PBF" : "XML") + ": " + error.what());
  }
  // Files are sorted by identifier as a rule; others are sorted here.
  if (!std::is_sorted(places.begin(), places.end())) {
    std::stable_sort(places.begin(), places.end());
  }
  TSourceData data;
  data.Lines.reserve(ways.size());
  for (TPendingWay& way : ways) {
    way.Line.Vertices.reserve(way.Nodes.size());
    for (const int64_t id : way.Nodes) {
      const auto found = std::lower_bound(places.begin(), places.end(),
                                          TNodePlace{id, 0.0, 0.0});
      if (found == places.end() || found->Id != id) {
        throw EImportError(Name + ": way " + std::to_string(way.Line.Id) +
                           " references missing node " + std::to_string(id));
      }
      way.Line.Vertices.push_back({id, found->Lon, found->Lat});
    }
    data.Lines.push_back(std::move(way.Line));
  }
  return data;
}

}  // namespace

TSourceData ReadOsmFile(const std::string& Name, bool Pbf,
                        const TImportOptions& Options) {
  return ReadOsm(osmium::io::File(Name, Pbf ? "pbf" : "osm"), Name, Pbf,
                 Options);
}

TSourceData ReadOsmText(std::string_view Data, const std::string& Name,
                        bool Pbf, const TImportOptions& Options) {
  return ReadOsm(
      osmium::io::File(Data.data(), Data.size(), Pbf ? "pbf" : "osm"), Name,
      Pbf, Options);
}
