#pragma once

#include <string_view>

#include "text_reader.h"

class TTrainStructureSV;

// Reads the text of a map file into Map, which should be empty. Whatever the
// bytes, Map is left sound, also when reading stops with an error: lines
// that lack a point are removed with every reference to them and every
// train on them. Throws EConvertError, EFloatOverflow, or EFileError
// ("Unexpected end of file"); what the entries before the failure built
// stays in Map.
void ReadMap(std::string_view Text, TTrainStructureSV& Map);
// The same for a text read from Source as it goes; a failure of the source
// ends the load as a failing entry would.
void ReadMap(TTextSource& Source, TTrainStructureSV& Map);
