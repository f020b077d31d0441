#pragma once

#include <string>

#include "file_access.h"

class TTrainStructureSV;
struct TMapRows;

// The text of a map file for Map: the sections PNT, TRK and TRN, each left
// out when its list is empty, with CR LF line ends. An empty map gives an
// empty text. Trains that stand on no track cannot be stored and are left
// out.
std::string WriteMap(const TTrainStructureSV& Map);
// The same text from the rows of a map (map_rows.h).
std::string WriteMap(const TMapRows& Rows);
// The same texts handed to Write a piece at a time, for a map too large to
// hold its text at once.
void WriteMap(const TTrainStructureSV& Map, const TContentWriter& Write);
void WriteMap(const TMapRows& Rows, const TContentWriter& Write);
