#pragma once

#include <string_view>

class TTrainStructureSV;

// Reads the text of a map file into Map, which should be empty. Whatever the
// bytes, Map is left sound, also when reading stops with an error: lines
// that lack a point are removed with every reference to them and every
// train on them. Throws EConvertError, EFloatOverflow, or EFileError
// ("Unexpected end of file"); what the entries before the failure built
// stays in Map.
void ReadMap(std::string_view Text, TTrainStructureSV& Map);
