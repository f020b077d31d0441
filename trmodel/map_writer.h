#pragma once

#include <string>

class TTrainStructureSV;

// The text of a map file for Map: the sections PNT, TRK and TRN, each left
// out when its list is empty, with CR LF line ends. An empty map gives an
// empty text. Trains that stand on no track cannot be stored and are left
// out.
std::string WriteMap(const TTrainStructureSV& Map);
