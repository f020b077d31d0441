// trntool: checks, dumps and rewrites map files from the command line.
//   trntool check FILE...   load each file and report what it holds
//   trntool dump FILE       print the loaded container, one object a line
//   trntool fmt IN OUT      load IN and save it to OUT
// Every failure is reported as "FILE: message".

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "errors.h"
#include "file_access.h"
#include "map_dump.h"
#include "train_structure.h"

namespace {

int Usage() {
  std::fputs(
      "usage: trntool check FILE...\n"
      "       trntool dump FILE\n"
      "       trntool fmt IN OUT\n",
      stderr);
  return 2;
}

// The message for a failure about the file Name. The editor shows a system
// error without a message of its own by its number; here the system's text
// says more.
std::string Message(const std::string& Name, const std::exception& Error) {
  const auto* file = dynamic_cast<const EFileError*>(&Error);
  if (file != nullptr && file->SystemError() != 0) {
    return Name + ": " + std::strerror(file->SystemError());
  }
  return Name + ": " + Error.what();
}

// Loads Name into Map; returns the error message, empty on success.
std::string Load(TTrainStructureSV& Map, const std::string& Name) {
  try {
    Map.LoadFromFile(Name);
    return {};
  } catch (const std::exception& error) {
    return Message(Name, error);
  }
}

int Check(int Count, char** Names) {
  int status = 0;
  for (int i = 0; i < Count; ++i) {
    TTrainStructureSV map;
    const std::string error = Load(map, Names[i]);
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
  const std::string error = Load(map, Name);
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
  std::string error = Load(map, In);
  if (error.empty()) {
    try {
      map.SaveToFile(Out);
      return 0;
    } catch (const std::exception& failure) {
      error = Message(Out, failure);
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
  return Usage();
}
