// trntool: checks, dumps, rewrites, lints and draws map files from the
// command line.
//   trntool check FILE...   load each file and report what it holds
//   trntool dump FILE       print the loaded container, one object a line
//   trntool fmt IN OUT      load IN and save it to OUT
//   trntool import IN OUT [OPTIONS]   import railway data into a map
//   trntool export IN OUT   write a map as GeoJSON or DXF
//   trntool lint FILE... [--min-radius METRES]
//                           report what is probably a mistake
//   trntool route FILE TRAIN-INDEX
//                           the route of a train through the switches
//   trntool path FILE POINT-ID POINT-ID
//                           the shortest path a train can take
//   trntool render IN OUT [OPTIONS]   draw the whole map into a picture or
//                                     PDF pages
// Every failure is reported as "FILE: message"; trntool --help and
// trntool COMMAND --help tell the rest.

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "command_line.h"
#include "exchange_commands.h"
#include "file_access.h"
#include "lint_command.h"
#include "map_dump.h"
#include "render_launch.h"
#include "render_options.h"
#include "route_commands.h"
#include "tool_files.h"
#include "tr_version.h"
#include "train_structure.h"
#include "trntool_commands.h"

namespace {

int Print(const TCommandExit& Exit) {
  std::fputs(Exit.Out.c_str(), stdout);
  std::fputs(Exit.Err.c_str(), stderr);
  return Exit.Status;
}

int Check(const std::vector<std::string>& Names) {
  int status = 0;
  for (const std::string& name : Names) {
    TTrainStructureSV map;
    const std::string error = LoadMap(map, name);
    if (error.empty()) {
      std::printf("%s: ok (%zu points, %zu tracks, %zu walls, %zu trains)\n",
                  name.c_str(), map.Points.size(), map.Tracks.size(),
                  map.Walls.size(), map.Trains.size());
    } else {
      std::printf("%s\n", error.c_str());
      status = 1;
    }
  }
  return status;
}

int Dump(const std::string& Name) {
  TTrainStructureSV map;
  const std::string error = LoadMap(map, Name);
  // What was loaded is shown also when the load failed part-way.
  const std::string text = DumpMap(map);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  if (error.empty()) return 0;
  std::fprintf(stderr, "%s\n", error.c_str());
  return 1;
}

int Format(const std::string& In, const std::string& Out) {
  TTrainStructureSV map;
  std::string error = LoadMap(map, In);
  if (error.empty()) {
    try {
      map.SaveToFile(Out);
      return 0;
    } catch (const std::exception& failure) {
      error = FailureMessage(Out, failure);
    }
  }
  std::fprintf(stderr, "%s\n", error.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  if (argc < 2) {
    std::fputs(TrntoolHelp().c_str(), stderr);
    return 2;
  }
  const std::string command = argv[1];
  if (command == "--help" || command == "-h") {
    return Print({0, TrntoolHelp(), ""});
  }
  if (command == "--version") {
    return Print({0, "trntool " TR_VERSION "\n", ""});
  }
  const std::string what = command.size() > 1 && command[0] == '-'
                               ? "unknown option '"
                               : "unknown command '";
  const TCommandSyntax* syntax = nullptr;
  for (const TCommandSyntax& known : TrntoolCommands()) {
    if (known.Name == command) syntax = &known;
  }
  if (syntax == nullptr) {
    return Print(
        {2, "", "trntool: " + what + command + "'; try 'trntool --help'\n"});
  }
  // The drawing program gets the same arguments; a bad line is told here,
  // without starting it.
  if (command == "render") {
    const auto request = RenderRequest(argc - 2, argv + 2);
    if (const auto* exit = std::get_if<TCommandExit>(&request)) {
      return Print(*exit);
    }
    return LaunchRender(argc - 2, argv + 2);
  }
  const auto parsed = ParseCommand(*syntax, argc - 2, argv + 2);
  if (const auto* exit = std::get_if<TCommandExit>(&parsed))
    return Print(*exit);
  const TCommandArgs& line = std::get<TCommandArgs>(parsed);
  const std::vector<std::string>& args = line.Arguments;
  if (command == "check") return Check(args);
  if (command == "dump") return Dump(args[0]);
  if (command == "fmt") return Format(args[0], args[1]);
  if (command == "route") return Route(line);
  if (command == "path") return Path(line);
  if (command == "import") return Import(line);
  if (command == "export") return Export(line);
  return Lint(line);
}
