#include "route_pieces.h"

bool SwitchWay(const TTrPoint& Point, const TTrLineEnd& Arrival,
               const TTrLineEnd& Departure, TSwitchWay& Way) {
  if (Point.LineCount() != 3) return false;
  if (SameLineEnd(Arrival, Point.Conn1)) {
    if (SameLineEnd(Departure, Point.Conn2)) {
      Way = TSwitchWay::Default;
      return true;
    }
    if (SameLineEnd(Departure, Point.Conn3)) {
      Way = TSwitchWay::Other;
      return true;
    }
    return false;
  }
  if (!SameLineEnd(Departure, Point.Conn1)) return false;
  if (SameLineEnd(Arrival, Point.Conn2)) {
    Way = TSwitchWay::FromDefault;
    return true;
  }
  if (SameLineEnd(Arrival, Point.Conn3)) {
    Way = TSwitchWay::FromOther;
    return true;
  }
  return false;
}
