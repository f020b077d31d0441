#pragma once

#include <QtCore/QString>
#include <optional>

// Numbers as the user types them into the editor's dialogs: plain decimal,
// with a point for the fraction and an optional exponent, spaces around
// ignored; whatever the desktop's language. None for anything else, and
// for infinities and NaN.
std::optional<double> TypedNumber(const QString& Text);

// A number, optionally followed by a second one after "@" (or a space):
// "120", "120 @ 45", "120@45", "120 45". None for anything else.
struct TTypedPair {
  double First = 0.0;
  std::optional<double> Second;
};
std::optional<TTypedPair> TypedPair(const QString& Text);

// A number offered for editing: the shortest text that reads back as it.
QString EditableNumber(double Value);
