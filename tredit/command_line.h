#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

// What tredit's command line asks for: the map files to open, or something
// to print and an exit status instead of starting the editor (--help and
// --version on standard output with 0, a bad option as one line on
// standard error with 2). "--" ends the options.
struct TEditorCommandLine {
  QStringList Files;
  std::optional<int> ExitStatus;
  QString Out;
  QString Err;
};

// Reads Arguments, the program's name first. Needs an application object,
// whose arguments name the program in the usage.
TEditorCommandLine ReadEditorCommandLine(const QStringList& Arguments);
