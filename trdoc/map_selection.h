#pragma once

class TTrLine;
class TTrPoint;
class TTrain;

// What is selected in a map: at most one of the three is set, and none
// owns its object.
struct TMapSelection {
  TTrLine* Line = nullptr;
  TTrPoint* Point = nullptr;
  TTrain* Train = nullptr;

  bool operator==(const TMapSelection&) const = default;
};
