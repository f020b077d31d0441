#include "number_entry.h"

#include <QtCore/QLocale>
#include <cmath>

std::optional<double> TypedNumber(const QString& Text) {
  bool read = false;
  const double value = QLocale::c().toDouble(Text.trimmed(), &read);
  if (!read || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString EditableNumber(double Value) {
  return QString::number(Value, 'g', QLocale::FloatingPointShortest);
}
