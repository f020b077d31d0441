// trntool: checks, dumps, rewrites, lints and draws map files from the
// command line.
//   trntool check FILE...   load each file and report what it holds
//   trntool dump FILE       print the loaded container, one object a line
//   trntool fmt IN OUT      load IN and save it to OUT
//   trntool lint FILE...    report what is probably a mistake
//   trntool render IN OUT [--size WxH] [--background]   draw the whole map
//                                        into a picture
// Every failure is reported as "FILE: message".

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "file_access.h"
#include "lint_command.h"
#include "map_dump.h"
#include "render_launch.h"
#include "tool_files.h"
#include "train_structure.h"

namespace {

int Usage() {
  std::fputs(
      "usage: trntool check FILE...\n"
      "       trntool dump FILE\n"
      "       trntool fmt IN OUT\n"
      "       trntool lint FILE...\n"
      "       trntool render IN OUT [--size WxH] [--background]\n",
      stderr);
  return 2;
}

int Check(int Count, char** Names) {
  int status = 0;
  for (int i = 0; i < Count; ++i) {
    TTrainStructureSV map;
    const std::string error = LoadMap(map, Names[i]);
    if (error.empty()) {
      std::printf("%s: ok (%zu points, %zu tracks, %zu walls, %zu trains)\n",
                  Names[i], map.Points.size(), map.Tracks.size(),
                  map.Walls.size(), map.Trains.size());
    } else {
      std::printf("%s\n", error.c_str());
      status = 1;
    }
  }
  return status;
}

int Dump(const char* Name) {
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

int Format(const char* In, const char* Out) {
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
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (command == "check" && argc >= 3) return Check(argc - 2, argv + 2);
  if (command == "dump" && argc == 3) return Dump(argv[2]);
  if (command == "fmt" && argc == 4) return Format(argv[2], argv[3]);
  if (command == "lint" && argc >= 3) return Lint(argc - 2, argv + 2);
  if (command == "render") return LaunchRender(argc - 2, argv + 2);
  return Usage();
}
