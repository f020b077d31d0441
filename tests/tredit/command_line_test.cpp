#include "command_line.h"

#include <gtest/gtest.h>

#include "tr_version.h"

namespace {

TEST(EditorCommandLine, OpensTheFilesNamedAndPrintsHelpOrVersionInstead) {
  const TEditorCommandLine files =
      ReadEditorCommandLine({"tredit", "a.trn", "--", "-b.trn", "--help"});
  EXPECT_FALSE(files.ExitStatus);
  EXPECT_EQ(files.Files, QStringList({"a.trn", "-b.trn", "--help"}));

  for (const char* option : {"--help", "-h"}) {
    const TEditorCommandLine help =
        ReadEditorCommandLine({"tredit", "a.trn", option});
    EXPECT_EQ(help.ExitStatus, 0);
    EXPECT_TRUE(help.Out.contains("[FILE...]")) << help.Out.toStdString();
    EXPECT_TRUE(help.Out.contains("--version"));
    EXPECT_EQ(help.Err, "");
  }
  const TEditorCommandLine version = ReadEditorCommandLine({"tredit", "-v"});
  EXPECT_EQ(version.ExitStatus, 0);
  EXPECT_EQ(version.Out, "tredit " TR_VERSION "\n");
}

TEST(EditorCommandLine, AnUnknownOptionIsOneLineNamingItAsTyped) {
  const struct {
    QStringList Arguments;
    const char* Error;
  } cases[] = {
      {{"tredit", "--bogus", "a.trn"},
       "tredit: unknown option '--bogus'; try 'tredit --help'\n"},
      {{"tredit", "-x"}, "tredit: unknown option '-x'; try 'tredit --help'\n"},
      {{"tredit", "--frob=1"},
       "tredit: unknown option '--frob'; try 'tredit --help'\n"}};
  for (const auto& c : cases) {
    const TEditorCommandLine line = ReadEditorCommandLine(c.Arguments);
    EXPECT_EQ(line.ExitStatus, 2);
    EXPECT_EQ(line.Err, c.Error);
    EXPECT_EQ(line.Out, "");
    EXPECT_TRUE(line.Files.isEmpty());
  }
}

}  // namespace
