#pragma once

#include <string>
#include <string_view>

#include "import_options.h"
#include "source_data.h"

// The readers of the formats an import takes. Each throws EImportError with
// a message that names the file (Name) and, where it helps, the element.

// OpenStreetMap XML (Pbf false) or PBF, from a file.
TSourceData ReadOsmFile(const std::string& Name, bool Pbf,
                        const TImportOptions& Options);
// The same from the bytes of such a file.
TSourceData ReadOsmText(std::string_view Data, const std::string& Name,
                        bool Pbf, const TImportOptions& Options);
// Overpass API JSON ({"elements": [...]}).
TSourceData ReadOverpassJson(std::string_view Text, const std::string& Name,
                             const TImportOptions& Options);
// GeoJSON LineStrings and MultiLineStrings.
TSourceData ReadGeoJson(std::string_view Text, const std::string& Name);
