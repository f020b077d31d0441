#include "lint_command.h"

#include <cstdio>
#include <string>

#include "map_lint.h"
#include "tool_files.h"
#include "train_structure.h"

int Lint(int Count, char** Names) {
  bool unreadable = false;
  bool problems = false;
  for (int i = 0; i < Count; ++i) {
    TTrainStructureSV map;
    const std::string error = LoadMap(map, Names[i]);
    if (!error.empty()) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s\n", error.c_str());
      unreadable = true;
      continue;
    }
    for (const TLintFinding& finding : LintMap(map)) {
      std::printf("%s: %s\n", Names[i], LintLine(finding).c_str());
      problems = problems || IsProblem(finding);
    }
  }
  if (unreadable) return 2;
  return problems ? 1 : 0;
}
