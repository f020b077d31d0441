#include "map_import.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "errors.h"
#include "file_access.h"
#include "map_projection.h"
#include "network_builder.h"
#include "source_readers.h"

namespace {

bool EndsWith(const std::string& Name, std::string_view End) {
  if (Name.size() < End.size()) return false;
  std::string tail = Name.substr(Name.size() - End.size());
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return tail == End;
}

[[noreturn]] void Refuse(const std::string& Name, const EFileError& Error) {
  throw EImportError(Name + ": " +
                     (Error.SystemError() != 0
                          ? std::string(std::strerror(Error.SystemError()))
                          : std::string(Error.what())));
}

std::string Read(const std::string& Name) {
  try {
    return ReadWholeFile(Name, SystemFileSystem());
  } catch (const EFileError& error) {
    Refuse(Name, error);
  }
}

// The start of the file, enough to tell the formats apart; no more, as a
// PBF file may be gigabytes.
std::string Head(const std::string& Name) {
  try {
    TFileText file(Name, SystemFileSystem());
    std::string head(4096, '\0');
    size_t have = 0;
    while (have < head.size()) {
      const size_t got = file.Read(head.data() + have, head.size() - have);
      if (got == 0) break;
      have += got;
    }
    head.resize(have);
    return head;
  } catch (const EFileError& error) {
    Refuse(Name, error);
  }
}

// PROJ's refusal of a system, told as every failure of the import is: after
// the file's name.
std::unique_ptr<TMapProjection> ProjectionFor(
    const std::string& Name, const TProjectionSettings& Settings) {
  try {
    return std::make_unique<TMapProjection>(Settings);
  } catch (const EImportError& error) {
    throw EImportError(Name + ": " + error.what());
  }
}

// Where the data lies: the middle of its box.
bool Centre(const TSourceData& Data, double& X, double& Y) {
  double low[2] = {std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::max()};
  double high[2] = {std::numeric_limits<double>::lowest(),
                    std::numeric_limits<double>::lowest()};
  bool any = false;
  for (const TSourceLine& line : Data.Lines) {
    for (const TSourceVertex& vertex : line.Vertices) {
      low[0] = std::min(low[0], vertex.X);
      low[1] = std::min(low[1], vertex.Y);
      high[0] = std::max(high[0], vertex.X);
      high[1] = std::max(high[1], vertex.Y);
      any = true;
    }
  }
  X = (low[0] + high[0]) / 2.0;
  Y = (low[1] + high[1]) / 2.0;
  return any;
}

}  // namespace

TImportFormat DetectImportFormat(const std::string& Name) {
  const std::string head = Head(Name);
  // A PBF file begins with the length of its first header, then its type.
  if (head.size() >= 14 && head.compare(6, 9, "OSMHeader") == 0) {
    return TImportFormat::OsmPbf;
  }
  const size_t first = head.find_first_not_of(" \t\r\n");
  if (first != std::string::npos && head[first] == '<') {
    return TImportFormat::OsmXml;
  }
  if (first != std::string::npos && head[first] == '{') {
    const bool overpass =
        head.find("\"elements\"") != std::string::npos &&
        head.find("\"FeatureCollection\"") == std::string::npos;
    return overpass ? TImportFormat::OverpassJson : TImportFormat::GeoJson;
  }
  if (EndsWith(Name, ".osm.pbf") || EndsWith(Name, ".pbf")) {
    return TImportFormat::OsmPbf;
  }
  if (EndsWith(Name, ".osm")) return TImportFormat::OsmXml;
  if (EndsWith(Name, ".geojson")) return TImportFormat::GeoJson;
  throw EImportError(
      Name + ": not OpenStreetMap XML or PBF, Overpass JSON or GeoJSON");
}

TImportResult ImportMap(const std::string& Name, const TImportOptions& Options,
                        TTrainStructureSV& Map) {
  TSourceData data;
  switch (DetectImportFormat(Name)) {
    case TImportFormat::OsmXml:
      data = ReadOsmFile(Name, false, Options);
      break;
    case TImportFormat::OsmPbf:
      data = ReadOsmFile(Name, true, Options);
      break;
    case TImportFormat::OverpassJson:
      data = ReadOverpassJson(Read(Name), Name, Options);
      break;
    case TImportFormat::GeoJson:
      data = ReadGeoJson(Read(Name), Name);
      break;
  }
  TImportResult result;
  if (data.Metres) {
    result.Projection = data.Projection;
    result.Reports = BuildNetwork(std::move(data), nullptr, Name, Map);
    return result;
  }
  double lon = 0.0;
  double lat = 0.0;
  const bool any = Centre(data, lon, lat);
  if (any && !(std::abs(lon) <= 180.0 && std::abs(lat) <= 90.0)) {
    throw EImportError(Name + ": coordinates out of range");
  }
  // A file this program exported says how its map was projected; the same
  // projection gives the same metres back.
  TProjectionSettings settings =
      Options.Crs       ? TProjectionSettings{*Options.Crs, 0.0, 0.0}
      : data.Projection ? *data.Projection
                        : TMapProjection::CentredOn(lon, lat);
  const std::unique_ptr<TMapProjection> projection =
      ProjectionFor(Name, settings);
  if (Options.Origin) {
    projection->SetOrigin(Options.Origin->first, Options.Origin->second);
  } else if (Options.Crs && any) {
    double x = 0.0;
    double y = 0.0;
    if (!projection->ToProjected(lon, lat, x, y)) {
      throw EImportError(Name + ": the data lies outside " + *Options.Crs);
    }
    projection->SetOrigin(x, y);
  }
  result.Reports = BuildNetwork(std::move(data), projection.get(), Name, Map);
  result.Projection = projection->Settings();
  return result;
}
