#include "command_line.h"

#include <QtCore/QCommandLineParser>

#include "tr_version.h"

namespace {

// The option as it was typed, for the error that names it: the parser
// gives its name alone.
QString TypedOption(const QStringList& Arguments, const QString& Name) {
  for (const QString& argument : Arguments.mid(1)) {
    if (argument == QStringLiteral("--")) break;
    QString typed = argument.section(u'=', 0, 0);
    QString name = typed;
    while (name.startsWith(u'-')) name.remove(0, 1);
    if (name == Name) return typed;
  }
  return (Name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + Name;
}

}  // namespace

TEditorCommandLine ReadEditorCommandLine(const QStringList& Arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Train Map Editor: draws railway track, switches, walls and trains on a "
      "metre grid,\nand keeps them in .TRN map files."));
  // Help and version of our own: Qt's would add options that only its
  // process() handles.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Prints this help and exits."));
  const QCommandLineOption version(
      {QStringLiteral("v"), QStringLiteral("version")},
      QStringLiteral("Prints the version and exits."));
  parser.addOption(help);
  parser.addOption(version);
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("Map files to open, each in a window of its own."),
      QStringLiteral("[FILE...]"));

  TEditorCommandLine line;
  if (!parser.parse(Arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    const QString what =
        unknown.isEmpty() ? parser.errorText()
                          : QStringLiteral("unknown option '%1'")
                                .arg(TypedOption(Arguments, unknown.first()));
    line.ExitStatus = 2;
    line.Err = QStringLiteral("tredit: %1; try 'tredit --help'\n").arg(what);
  } else if (parser.isSet(help)) {
    line.ExitStatus = 0;
    line.Out = parser.helpText();
  } else if (parser.isSet(version)) {
    line.ExitStatus = 0;
    line.Out = QStringLiteral("tredit " TR_VERSION "\n");
  } else {
    line.Files = parser.positionalArguments();
  }
  return line;
}
