#include "exchange_commands.h"

#include <cstdio>
#include <exception>

#include "map_export.h"
#include "map_import.h"
#include "projection_settings.h"
#include "tool_files.h"
#include "train_structure.h"
#include "trntool_commands.h"

namespace {

int Refuse(const std::string& Command, const std::string& Message) {
  const TCommandExit exit = CommandError(CommandSyntax(Command), Message);
  std::fputs(exit.Err.c_str(), stderr);
  return exit.Status;
}

}  // namespace

int Import(const TCommandArgs& Args) {
  TImportOptions options;
  if (Args.Has("--railway")) {
    options.Railways = ParseRailwayKinds(Args.Options.at("--railway"));
    if (options.Railways.empty()) {
      return Refuse("import", "no railway kind given");
    }
  }
  options.Buildings = Args.Has("--buildings");
  if (Args.Has("--crs")) options.Crs = Args.Options.at("--crs");
  if (Args.Has("--origin")) {
    const std::string& text = Args.Options.at("--origin");
    options.Origin = ParseOrigin(text);
    if (!options.Origin) {
      return Refuse("import", "invalid origin '" + text + "' (X,Y in metres)");
    }
  }
  const std::string& in = Args.Arguments[0];
  const std::string& out = Args.Arguments[1];
  TTrainStructureSV map;
  TImportResult result;
  try {
    result = ImportMap(in, options, map);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  for (const std::string& report : result.Reports) {
    std::printf("%s: %s\n", in.c_str(), report.c_str());
  }
  try {
    SaveProjectionSettings(out, result.Projection);
    map.SaveToFile(out);
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", FailureMessage(out, error).c_str());
    return 1;
  }
  std::printf("%s: %zu points, %zu tracks, %zu walls\n", out.c_str(),
              map.Points.size(), map.Tracks.size(), map.Walls.size());
  return 0;
}

int Export(const TCommandArgs& Args) {
  const std::string& in = Args.Arguments[0];
  const std::string& out = Args.Arguments[1];
  TTrainStructureSV map;
  const std::string error = LoadMap(map, in);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  try {
    ExportMap(in, map, out);
  } catch (const std::exception& failure) {
    const std::string message = failure.what();
    // The exporter's own messages name their file already.
    std::fprintf(stderr, "%s\n",
                 message.starts_with(out)
                     ? message.c_str()
                     : FailureMessage(out, failure).c_str());
    return 1;
  }
  return 0;
}
