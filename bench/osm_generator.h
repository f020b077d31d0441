#pragma once

#include <cstddef>
#include <string>

// Railway data of benchmark size as OpenStreetMap PBF, written with
// libosmium: NodeCount nodes in parallel rail ways of up to 1000 nodes
// each, 10 m apart along a way and 5 m between ways, near 10 E 50 N; every
// way but the first is joined to the one before by a crossover, a way of
// two nodes shared with them, which makes a switch at each end.
void WriteOsmPbf(const std::string& Name, size_t NodeCount);

// The number of ways WriteOsmPbf writes for NodeCount nodes.
size_t OsmPbfWays(size_t NodeCount);
