#pragma once

#include <functional>
#include <optional>

#include "import_options.h"
#include "source_data.h"

// The value of a tag, or null when the element has none.
using TTagLookup = std::function<const char*(const char* Key)>;

// The line an OpenStreetMap way with these tags becomes, vertices not yet
// filled in; none for a way the map does not take.
std::optional<TSourceLine> LineForTags(const TTagLookup& Tag,
                                       const TImportOptions& Options);

// A building's height: "height" in metres, else 3 m a level of
// "building:levels", else one level.
double BuildingHeight(const TTagLookup& Tag);
