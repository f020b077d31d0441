#include "route_commands.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "route_text.h"
#include "tool_files.h"
#include "track_path.h"
#include "train_route.h"
#include "train_structure.h"
#include "trntool_commands.h"

namespace {

template <typename T>
std::optional<T> WholeNumber(const std::string& Text) {
  T value{};
  const char* end = Text.data() + Text.size();
  const auto [stop, error] = std::from_chars(Text.data(), end, value);
  if (Text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

int Fail(const std::string& Message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", Message.c_str());
  return 2;
}

int BadArgument(const char* Command, const std::string& What) {
  const TCommandExit exit = CommandError(CommandSyntax(Command), What);
  std::fputs(exit.Err.c_str(), stderr);
  return exit.Status;
}

void PrintLines(const std::vector<std::string>& Lines) {
  for (const std::string& line : Lines) std::printf("%s\n", line.c_str());
}

const TTrPoint* FindPoint(const TTrainStructureSV& Map, int32_t Id) {
  for (const auto& point : Map.Points) {
    if (point->Id == Id) return point.get();
  }
  return nullptr;
}

}  // namespace

int Route(const TCommandArgs& Args) {
  const std::string& name = Args.Arguments[0];
  const std::string& text = Args.Arguments[1];
  const auto number = WholeNumber<size_t>(text);
  if (!number || *number == 0) {
    return BadArgument("route", "invalid train '" + text + "' (1 or more)");
  }
  TTrainStructureSV map;
  const std::string error = LoadMap(map, name);
  if (!error.empty()) return Fail(error);
  if (*number > map.Trains.size()) {
    return Fail(name + ": no train " + text + " (the map has " +
                std::to_string(map.Trains.size()) + ")");
  }
  const TTrain& train = *map.Trains[*number - 1];
  PrintLines(RouteLines(TraceRoute(train.Position), *number));
  return 0;
}

int Path(const TCommandArgs& Args) {
  const std::string& name = Args.Arguments[0];
  std::optional<int32_t> ids[2];
  for (int i = 0; i < 2; ++i) {
    const std::string& text = Args.Arguments[1 + i];
    ids[i] = WholeNumber<int32_t>(text);
    if (!ids[i]) return BadArgument("path", "invalid point '" + text + "'");
  }
  TTrainStructureSV map;
  const std::string error = LoadMap(map, name);
  if (!error.empty()) return Fail(error);
  const TTrPoint* points[2];
  for (int i = 0; i < 2; ++i) {
    points[i] = FindPoint(map, *ids[i]);
    if (points[i] == nullptr) {
      return Fail(name + ": no point " + std::to_string(*ids[i]));
    }
  }
  const TTrackPath path = FindPath(*points[0], *points[1]);
  PrintLines(PathLines(path, *ids[0], *ids[1]));
  return path.Found() ? 0 : 1;
}
