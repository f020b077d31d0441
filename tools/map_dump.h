#pragma once

#include <string>

class TTrainStructureSV;

// The container as text, one object a line, lists in container order:
//   nextid N
//   point ID X Y Z conn R R R
//   track ID p1 PID p2 PID next1 R next2 R branch1 R branch2 R poles N platform
//   N wall ID p1 PID p2 PID next1 R next2 R branch1 R branch2 R train LINEID
//   dir D offset O length L
// R is LINEID:END or "-", PID a point Id or "-", and every real the shortest
// text that reads back to the same double.
std::string DumpMap(const TTrainStructureSV& Map);
