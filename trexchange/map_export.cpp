#include "map_export.h"

#include <algorithm>

#include "dxf_writer.h"
#include "errors.h"
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
  const bool dxf = EndsWith(Out, ".dxf");
  if (!dxf && !EndsWith(Out, ".geojson") && !EndsWith(Out, ".json")) {
    throw EImportError(Out + ": unknown format (.geojson or .dxf)");
  }
  std::string text;
  // What cannot be drawn is told after the file it was for, as a failure
  // to write that file is.
  try {
    text = dxf ? DxfText(Map) : GeoJsonText(Map, Projection);
  } catch (const EImportError& Error) {
    throw EImportError(Out + ": " + Error.what());
  } catch (const EFileError& Error) {
    throw EFileError(Out + ": " + Error.what());
  }
  ReplaceFile(Out, text, SystemFileSystem());
}

void ExportMap(const std::string& MapName, const TTrainStructureSV& Map,
               const std::string& Out) {
  ExportMap(Map, LoadProjectionSettings(MapName), Out);
}
