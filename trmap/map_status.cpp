#include "map_status.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid_steps.h"
#include "map_objects.h"
#include "track_position.h"
#include "train_run.h"

namespace {

// Decimals that tell pixels apart at Scale metres per pixel: none at a
// metre or more, one at a decimetre, and so on.
int DecimalsFor(double Scale) {
  if (!(Scale > 0.0) || !std::isfinite(Scale)) return 0;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(Scale) - 1e-9)), 0,
                    12);
}

QString Metres(double Value, int Decimals) {
  return QString::number(Value, 'f', Decimals);
}

// A stored coordinate as it is, without trailing zeros.
QString Coordinate(double Value) { return QString::number(Value, 'g', 12); }

QString PointText(const TTrPoint& Point) {
  QString text = QStringLiteral("Point %1 at %2, %3")
                     .arg(Point.Id)
                     .arg(Coordinate(Point.Pos.X), Coordinate(Point.Pos.Y));
  if (Point.LineCount() == 3) text += QStringLiteral(", switch");
  if (Point.IsWallPoint() && Point.LineCount() > 0) {
    text += QStringLiteral(", height %1 m").arg(Coordinate(Point.Pos.Z));
  }
  return text;
}

QString LineText(const TTrLine& Line) {
  const QString length = Metres(Line.Length(), 1);
  const auto* track = AsTrack(&Line);
  if (track == nullptr) {
    return QStringLiteral("Wall %1, %2 m").arg(Line.Id).arg(length);
  }
  static const char* const kPoles[] = {"side", "middle", "over"};
  const QString poles = track->Poles < 3
                            ? QString::fromLatin1(kPoles[track->Poles])
                            : QString::number(track->Poles);
  return QStringLiteral("Track %1, %2 m, poles %3, %4")
      .arg(Line.Id)
      .arg(length, poles,
           track->Platform != 0 ? QStringLiteral("platform")
                                : QStringLiteral("no platform"));
}

QString TrainText(const TTrain& Train) {
  const TTrLine* line = Train.Position.Line;
  const QString where = line != nullptr
                            ? QStringLiteral("on line %1").arg(line->Id)
                            : QStringLiteral("off the track");
  const QString towards = Train.Position.Dir == 1
                              ? QStringLiteral("towards its second point")
                              : QStringLiteral("towards its first point");
  return QStringLiteral("Train %1, %2, %3 m")
      .arg(where, towards, Coordinate(Train.Length));
}

}  // namespace

QString CursorText(const TMapView& View, int32_t PX, int32_t PY) {
  const int decimals = DecimalsFor(View.Scale);
  return QStringLiteral("x %1 m, y %2 m")
      .arg(Metres(View.ScreenToWorldX(PX), decimals),
           Metres(View.ScreenToWorldY(PY), decimals));
}

QString ViewText(const TMapView& View) {
  return QStringLiteral("%1 m per pixel, grid %2 m")
      .arg(QString::number(View.Scale, 'g', 6),
           QString::fromStdString(GridSpacingText(View.GridSpacing)));
}

QString SelectionText(const TTrPoint* Point, const TTrLine* Line,
                      const TTrain* Train) {
  if (Point != nullptr) return PointText(*Point);
  if (Line != nullptr) return LineText(*Line);
  if (Train != nullptr) return TrainText(*Train);
  return QString();
}

QString GroupText(size_t Points, size_t Lines, size_t Trains) {
  const auto count = [](size_t Count, const char* One, const char* Many) {
    return QStringLiteral("%1 %2").arg(Count).arg(
        QString::fromLatin1(Count == 1 ? One : Many));
  };
  return QStringLiteral("%1, %2, %3")
      .arg(count(Points, "point", "points"), count(Lines, "line", "lines"),
           count(Trains, "train", "trains"));
}

QString DrawingText(const TTrLine& Line) {
  const QString length =
      QStringLiteral("Length %1 m").arg(Metres(Line.Length(), 1));
  // A line without length points nowhere.
  if (Line.Length() == 0.0) return length;
  // Compass bearing: clockwise from north (up), 0 to 360 degrees.
  double degrees = Line.Bearing() * 180.0 / std::numbers::pi;
  if (degrees < 0.0) degrees += 360.0;
  return length + QStringLiteral(", bearing %1°").arg(degrees, 0, 'f', 1);
}

QString RunText(const TTrainRun& Run, double SpeedUp) {
  size_t stopped = 0;
  size_t meeting = 0;
  for (const TRunningTrain& train : Run.Trains()) {
    stopped += train.Stopped ? 1 : 0;
    meeting += train.Meeting ? 1 : 0;
  }
  const size_t count = Run.Trains().size();
  return QStringLiteral(
             "Trial run %1 s at %2 × real time: %3 %4, %5 at a "
             "dead end, %6 meeting")
      .arg(Run.Time(), 0, 'f', 1)
      .arg(SpeedUp)
      .arg(count)
      .arg(count == 1 ? QStringLiteral("train") : QStringLiteral("trains"))
      .arg(stopped)
      .arg(meeting);
}
