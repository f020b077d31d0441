#include "map_export.h"

#include <algorithm>

#include "dxf_writer.h"
#include "file_access.h"
#include "source_data.h"

namespace {

bool EndsWith(std::string Name, std::string_view End) {
  std::transform(Name.begin(), Name.end(), Name.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return Name.size() >= End.size() &&
         Name.compare(Name.size() - End.size(), End.size(), End) == 0;
}

}  // namespace

void ExportMap(const TTrainStructureSV& Map,
               const std::optional<TProjectionSettings>& Projection,
               const std::string& Out) {
  if (EndsWith(Out, ".geojson") || EndsWith(Out, ".json")) {
    ReplaceFile(Out, GeoJsonText(Map, Projection), SystemFileSystem());
  } else if (EndsWith(Out, ".dxf")) {
    ReplaceFile(Out, DxfText(Map), SystemFileSystem());
  } else {
    throw EImportError(Out + ": unknown format (.geojson or .dxf)");
  }
}

void ExportMap(const std::string& MapName, const TTrainStructureSV& Map,
               const std::string& Out) {
  ExportMap(Map, LoadProjectionSettings(MapName), Out);
}
