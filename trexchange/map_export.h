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

// Writes the map loaded from MapName to Out, GeoJSON or DXF by Out's
// extension, using the projection kept beside the map. Out is replaced
// only by a whole new file. Throws EImportError or EFileError with the
// message for the user.
void ExportMap(const std::string& MapName, const TTrainStructureSV& Map,
               const std::string& Out);
