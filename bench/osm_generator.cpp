#include "osm_generator.h"

#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/memory/buffer.hpp>

namespace {

constexpr size_t kWayNodes = 1000;
constexpr double kLon = 10.0;
constexpr double kLat = 50.0;
// 10 m east and 5 m north at 50 degrees north.
constexpr double kLonStep = 10.0 / 71556.0;
constexpr double kLatStep = 5.0 / 111229.0;
constexpr size_t kBufferBytes = 4 * 1024 * 1024;

size_t Runs(size_t NodeCount) {
  return (NodeCount + kWayNodes - 1) / kWayNodes;
}

// Run R's node at I along it, counted from 1.
osmium::object_id_type NodeId(size_t Run, size_t I) {
  return static_cast<osmium::object_id_type>(Run * kWayNodes + I + 1);
}

// Where a crossover from run R - 1 leaves, away from both ends.
size_t CrossoverAt(size_t Run, size_t Length) {
  return Length > 8 ? (Run * 37) % (Length - 4) + 1 : 0;
}

class TPbfWriter {
 public:
  explicit TPbfWriter(const std::string& Name)
      : writer_(osmium::io::File(Name, "pbf"), Header(),
                osmium::io::overwrite::allow) {}

  osmium::memory::Buffer& Buffer() { return buffer_; }
  // Hands the buffer on once it is nearly full.
  void Committed() {
    buffer_.commit();
    if (buffer_.committed() > kBufferBytes - 64 * 1024) {
      writer_(std::move(buffer_));
      buffer_ = NewBuffer();
    }
  }
  void Close() {
    writer_(std::move(buffer_));
    writer_.close();
  }

 private:
  static osmium::io::Header Header() {
    osmium::io::Header header;
    header.set("generator", "trn osm generator");
    return header;
  }
  static osmium::memory::Buffer NewBuffer() {
    return osmium::memory::Buffer(kBufferBytes,
                                  osmium::memory::Buffer::auto_grow::yes);
  }

  osmium::io::Writer writer_;
  osmium::memory::Buffer buffer_ = NewBuffer();
};

void AddWay(TPbfWriter& Writer, osmium::object_id_type Id,
            osmium::object_id_type First, size_t Count,
            osmium::object_id_type Last = 0) {
  {
    osmium::builder::WayBuilder way(Writer.Buffer());
    way.set_id(Id).set_version(1);
    {
      osmium::builder::WayNodeListBuilder nodes(Writer.Buffer(), &way);
      for (size_t i = 0; i < Count; ++i) {
        nodes.add_node_ref(First + static_cast<osmium::object_id_type>(i));
      }
      if (Last != 0) nodes.add_node_ref(Last);
    }
    osmium::builder::TagListBuilder tags(Writer.Buffer(), &way);
    tags.add_tag("railway", "rail");
    tags.add_tag("electrified", "contact_line");
  }
  Writer.Committed();
}

}  // namespace

size_t OsmPbfWays(size_t NodeCount) {
  const size_t runs = Runs(NodeCount);
  const size_t lastLength = NodeCount - (runs - 1) * kWayNodes;
  size_t ways = runs;
  for (size_t run = 1; run < runs; ++run) {
    const size_t length = run + 1 == runs ? lastLength : kWayNodes;
    if (CrossoverAt(run, length) != 0) ++ways;
  }
  return runs == 0 ? 0 : ways;
}

void WriteOsmPbf(const std::string& Name, size_t NodeCount) {
  TPbfWriter writer(Name);
  const size_t runs = Runs(NodeCount);
  const auto length = [&](size_t Run) {
    return Run + 1 == runs ? NodeCount - Run * kWayNodes : kWayNodes;
  };
  for (size_t run = 0; run < runs; ++run) {
    for (size_t i = 0; i < length(run); ++i) {
      {
        osmium::builder::NodeBuilder node(writer.Buffer());
        node.set_id(NodeId(run, i)).set_version(1);
        node.set_location(
            osmium::Location(kLon + static_cast<double>(i) * kLonStep,
                             kLat + static_cast<double>(run) * kLatStep));
      }
      writer.Committed();
    }
  }
  osmium::object_id_type way = 1;
  for (size_t run = 0; run < runs; ++run) {
    AddWay(writer, way++, NodeId(run, 0), length(run));
  }
  for (size_t run = 1; run < runs; ++run) {
    // From run - 1 to three nodes further on in run: a crossover that
    // leaves each run at a narrow angle, as crossovers do.
    const size_t at = CrossoverAt(run, length(run));
    if (at != 0)
      AddWay(writer, way++, NodeId(run - 1, at), 1, NodeId(run, at + 3));
  }
  writer.Close();
}
