#include <algorithm>
#include <osmium/io/pbf_input.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>

#include "large_allocator.h"
#include "osm_tags.h"
#include "source_readers.h"

namespace {

// Where a node lies, as the file gives it: a few bytes a node, as a file
// may hold tens of millions of them.
struct TNodePlace {
  int64_t Id;
  osmium::Location At;
  bool operator<(const TNodePlace& Other) const { return Id < Other.Id; }
};

// The nodes of the file by identifier, apart from the heap, as they may be
// tens of millions: their room goes back to the system when they go, for
// the map to be made.
class TNodePlaces {
 public:
  void Add(int64_t Id, osmium::Location At) { places_.push_back({Id, At}); }
  // Files are sorted by identifier as a rule; others are sorted here.
  void Sort() {
    if (!std::is_sorted(places_.begin(), places_.end())) {
      std::stable_sort(places_.begin(), places_.end());
    }
  }
  // Null when the file has no such node; the first of a node given twice.
  // A way's nodes mostly follow each other in the file, so the one after
  // the last found is tried first.
  const TNodePlace* Find(int64_t Id) {
    if (next_ < places_.size() && places_[next_].Id == Id &&
        places_[next_ - 1].Id != Id) {
      return &places_[next_++];
    }
    const auto found = std::lower_bound(places_.begin(), places_.end(),
                                        TNodePlace{Id, osmium::Location()});
    if (found == places_.end() || found->Id != Id) return nullptr;
    next_ = static_cast<size_t>(found - places_.begin()) + 1;
    return &*found;
  }

 private:
  std::vector<TNodePlace, TLargeAllocator<TNodePlace>> places_;
  // The node tried first. Never the very first one, which only the search
  // finds, so that there is always one before it to look at.
  size_t next_ = 1;
};

// A way the map takes, its nodes not yet looked up: they lie in one list
// for all ways, from First on.
struct TPendingWay {
  TSourceLine Line;
  size_t First = 0;
  size_t Count = 0;
};

TSourceData ReadOsm(const osmium::io::File& File, const std::string& Name,
                    bool Pbf, const TImportOptions& Options) {
  TNodePlaces places;
  std::vector<TPendingWay> ways;
  // Apart from the heap, as the nodes are.
  std::vector<int64_t, TLargeAllocator<int64_t>> wayNodes;
  try {
    osmium::io::Reader reader(
        File, osmium::osm_entity_bits::node | osmium::osm_entity_bits::way,
        osmium::io::read_meta::no);
    while (osmium::memory::Buffer buffer = reader.read()) {
      for (const osmium::OSMEntity& entity : buffer) {
        if (entity.type() == osmium::item_type::node) {
          const auto& node = static_cast<const osmium::Node&>(entity);
          const osmium::Location at = node.location();
          if (!at.valid()) {
            throw EImportError(Name + ": node " + std::to_string(node.id()) +
                               ": coordinates missing or out of range");
          }
          places.Add(node.id(), at);
        } else if (entity.type() == osmium::item_type::way) {
          const auto& way = static_cast<const osmium::Way&>(entity);
          const osmium::TagList& tags = way.tags();
          auto line = LineForTags(
              [&tags](const char* Key) { return tags.get_value_by_key(Key); },
              Options);
          if (!line) continue;
          line->Id = way.id();
          ways.push_back(
              {std::move(*line), wayNodes.size(), way.nodes().size()});
          for (const osmium::NodeRef& ref : way.nodes()) {
            wayNodes.push_back(ref.ref());
          }
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
  places.Sort();
  TSourceData data;
  data.Lines.reserve(ways.size());
  for (TPendingWay& way : ways) {
    way.Line.Vertices.reserve(way.Count);
    for (size_t i = way.First; i < way.First + way.Count; ++i) {
      const int64_t id = wayNodes[i];
      const TNodePlace* place = places.Find(id);
      if (place == nullptr) {
        throw EImportError(Name + ": way " + std::to_string(way.Line.Id) +
                           " references missing node " + std::to_string(id));
      }
      way.Line.Vertices.push_back({id, place->At.lon(), place->At.lat()});
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
