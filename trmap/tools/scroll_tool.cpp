#include "scroll_tool.h"

#include <algorithm>
#include <limits>

namespace {

// The step between two mouse positions; positions far apart (a view
// zoomed out to its limits aims at points at the ends of an int) give a
// step beyond what an int holds, which scrolling could not show anyway.
int32_t Step(int32_t From, int32_t To) {
  return static_cast<int32_t>(std::clamp<int64_t>(
      int64_t{To} - From, std::numeric_limits<int32_t>::min(),
      std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool TScrollTool::Press(int32_t X, int32_t Y) {
  Scrolling = true;
  LastX = X;
  LastY = Y;
  return true;
}

void TScrollTool::Move(int32_t X, int32_t Y) {
  Host.ScrollBy(Step(LastX, X), Step(LastY, Y));
  LastX = X;
  LastY = Y;
}

void TScrollTool::Release(int32_t X, int32_t Y) {
  Host.ScrollBy(Step(LastX, X), Step(LastY, Y));
  Scrolling = false;
  Host.ScrollEnded();
}
