#pragma once

#include <string>
#include <vector>

class TTrainStructureSV;

// Checks the structural invariants every operation on a map relies on:
//  - every line has both points, and both are points of this map;
//  - every point reference names a line of this map that ends at the point
//    with that end code, and each end of a line is named by exactly the
//    point that lies there;
//  - a point's references are filled from the front;
//  - the links at every point follow the link rule (Conn1 leads to Conn2 and
//    branches to Conn3; Conn2 and Conn3 lead to Conn1; nothing else);
//  - every train stands on a line of this map.
// Returns one text per violation found (at most a few dozen); empty when the
// map is sound.
std::vector<std::string> CheckStructure(const TTrainStructureSV& Map);
