#include "lint_command.h"

#include <cstdio>
#include <string>

#include "map_lint.h"
#include "tool_files.h"
#include "train_structure.h"

int Lint(const std::vector<std::string>& Names) {
  bool unreadable = false;
  bool problems = false;
  for (const std::string& name : Names) {
    TTrainStructureSV map;
    const std::string error = LoadMap(map, name);
    if (!error.empty()) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s\n", error.c_str());
      unreadable = true;
      continue;
    }
    for (const TLintFinding& finding : LintMap(map)) {
      std::printf("%s: %s\n", name.c_str(), LintLine(finding).c_str());
      problems = problems || IsProblem(finding);
    }
  }
  if (unreadable) return 2;
  return problems ? 1 : 0;
}
