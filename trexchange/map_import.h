#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import_options.h"
#include "projection_settings.h"

class TTrainStructureSV;

// What an import found beside the map it made.
struct TImportResult {
  // One line each: crossings, gaps, what was dropped.
  std::vector<std::string> Reports;
  // How the map's metres go back to longitude and latitude; none for a
  // file that held a map's metres without saying.
  std::optional<TProjectionSettings> Projection;
};

// The format of a file, by its content, else by its name.
enum class TImportFormat { OsmXml, OsmPbf, OverpassJson, GeoJson };
// Throws EImportError when it is none of them.
TImportFormat DetectImportFormat(const std::string& Name);

// Reads the named file into Map, which should be empty. Throws
// EImportError with the message for the user; Map may then hold part of
// the data and is to be thrown away.
TImportResult ImportMap(const std::string& Name, const TImportOptions& Options,
                        TTrainStructureSV& Map);
