#include "build_tool.h"

#include <stdexcept>

#include "map_document.h"
#include "map_status.h"
#include "snapping.h"

bool TBuildTool::Press(int32_t X, int32_t Y) {
  TMapDocument& document = Host.Document();
  TTrPoint* const selected = document.Selection().Point;
  // A switch takes no fourth line; another view's gesture holds the map
  // until it ends.
  if (selected != nullptr && selected->LineCount() > 2) return false;
  if (document.Editing()) return false;
  const bool track = Kind == TKind::Track;
  const bool reuse = Host.ModeDown(TModeButton::spbConn) &&
                     selected != nullptr && selected->IsWallPoint() == !track;
  const TTrXY at = SnappedPosition(Host, X, Y, nullptr, nullptr);
  const double x = at.X;
  const double y = at.Y;
  Host.BeginEdit();
  TTrPoint* start = selected;
  TTrPoint* end = nullptr;
  try {
    if (!reuse) start = document.Map().NewPoint(x, y);
    end = document.Map().NewPoint(x, y);
  } catch (const std::runtime_error& Error) {
    // A coordinate too large, or no identifier left.
    Host.TakeBack();
    Host.ReportError(QString::fromUtf8(Error.what()));
    return false;
  }
  Begin(end);
  if (!reuse) Host.SelectPoint(start);
  Host.SelectPoint(end);
  Laid = document.Map().BuildLine(start, end, track);
  return true;
}

void TBuildTool::Move(int32_t X, int32_t Y) {
  if (Place(X, Y)) Host.Repaint();
}

void TBuildTool::Release(int32_t X, int32_t Y) {
  if (!Place(X, Y)) return;
  TTrPoint* const end = Moving;
  TTrLine* const line = Laid;
  TTrPoint* target = nullptr;
  const double distance = Host.HitTestPoint(X, Y, end, target);
  const bool joined = distance >= 0.0 && distance < kGrabDistance &&
                      target->LineCount() <= 2 && SameKind(*end, *target) &&
                      JoinPoints(Host, end, line, target);
  End(joined);
}

void TBuildTool::EndTyped() { End(false); }

void TBuildTool::End(bool Joined) {
  // Unjoined, the next build click goes on from the new end point, which
  // is still selected.
  if (!Joined) Host.SetConnDown(true);
  Finish();
  Host.CommitEdit(Kind == TKind::Track ? QStringLiteral("Build Track")
                                       : QStringLiteral("Build Wall"));
  Host.Repaint();
}

QString TBuildTool::StatusText() const {
  return Laid != nullptr ? DrawingText(*Laid) : QString();
}

void TBuildTool::Finish() {
  TPointGesture::Finish();
  Laid = nullptr;
}

void TBuildTool::Leaving(const TTrLine& Line) {
  if (Laid == &Line) Laid = nullptr;
}
