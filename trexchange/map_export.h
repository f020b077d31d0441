#pragma once

#include <optional>
#include <string>

#include "projection_settings.h"

class TTrainStructureSV;

// GeoJSON of the map: every track and wall a LineString with its
// identifier, kind, poles, platform and heights, every train a Point with
// its length. In longitude and latitude when Projection is given (and then
// kept in the file, so that an import gives the same metres back), in the
// map's metres otherwise, as the file says.
std::string GeoJsonText(const TTrainStructureSV& Map,
                        const std::optional<TProjectionSettings>& Projection);

// Writes Map to Out, GeoJSON or DXF by Out's extension, GeoJSON in
// longitude and latitude when Projection is given. Out is replaced only by
// a whole new file. Throws EImportError or EFileError with the message for
// the user.
void ExportMap(const TTrainStructureSV& Map,
               const std::optional<TProjectionSettings>& Projection,
               const std::string& Out);
// The same with the projection kept beside the map file MapName.
void ExportMap(const std::string& MapName, const TTrainStructureSV& Map,
               const std::string& Out);
