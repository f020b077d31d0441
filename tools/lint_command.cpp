#include "lint_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "map_lint.h"
#include "tool_files.h"
#include "train_structure.h"
#include "trntool_commands.h"

namespace {

// Beyond this a bend is no bend on any map: every line would be found.
constexpr double kLargestMinRadius = 1e6;

// A number of metres, 0 to the largest minimum, in plain or exponent form.
std::optional<double> Metres(const std::string& Text) {
  double value = 0.0;
  const char* end = Text.data() + Text.size();
  const auto [stop, error] = std::from_chars(Text.data(), end, value);
  if (Text.empty() || error != std::errc() || stop != end ||
      !(value >= 0.0 && value <= kLargestMinRadius)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

int Lint(const TCommandArgs& Args) {
  TLintOptions options;
  if (Args.Has("--min-radius")) {
    const std::string& text = Args.Options.at("--min-radius");
    const auto radius = Metres(text);
    if (!radius) {
      const TCommandExit exit =
          CommandError(CommandSyntax("lint"),
                       "invalid radius '" + text + "' (metres, 0 to 1000000)");
      std::fputs(exit.Err.c_str(), stderr);
      return exit.Status;
    }
    options.MinRadius = *radius;
  }
  bool unreadable = false;
  bool problems = false;
  for (const std::string& name : Args.Arguments) {
    TTrainStructureSV map;
    const std::string error = LoadMap(map, name);
    if (!error.empty()) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s\n", error.c_str());
      unreadable = true;
      continue;
    }
    for (const TLintFinding& finding : LintMap(map, options)) {
      std::printf("%s: %s\n", name.c_str(), LintLine(finding).c_str());
      problems = problems || IsProblem(finding);
    }
  }
  if (unreadable) return 2;
  return problems ? 1 : 0;
}
