#include "number_entry.h"

#include <QtCore/QLocale>
#include <cmath>

std::optional<double> TypedNumber(const QString& Text) {
  bool read = false;
  const double value = QLocale::c().toDouble(Text.trimmed(), &read);
  if (!read || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<TTypedPair> TypedPair(const QString& Text) {
  QString text = Text.trimmed();
  qsizetype split = text.indexOf(u'@');
  if (split < 0) split = text.indexOf(u' ');
  if (split < 0) {
    const std::optional<double> only = TypedNumber(text);
    if (!only) return std::nullopt;
    return TTypedPair{*only, std::nullopt};
  }
  const std::optional<double> first = TypedNumber(text.left(split));
  const std::optional<double> second = TypedNumber(text.mid(split + 1));
  if (!first || !second) return std::nullopt;
  return TTypedPair{*first, *second};
}

QString EditableNumber(double Value) {
  return QString::number(Value, 'g', QLocale::FloatingPointShortest);
}
