#include "generated_map_file.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "map_generator.h"

namespace {

// The files written so far, removed when the program ends.
class TFiles {
 public:
  ~TFiles() {
    for (const auto& [points, file] : files_) std::remove(file.Name.c_str());
  }
  TGeneratedMapFile& operator[](size_t PointCount) {
    return files_[PointCount];
  }

 private:
  std::map<size_t, TGeneratedMapFile> files_;
};

}  // namespace

const TGeneratedMapFile& GeneratedMapFile(size_t PointCount) {
  static TFiles files;
  TGeneratedMapFile& file = files[PointCount];
  if (file.Name.empty()) {
    file.Name = "/tmp/trn-bench-" + std::to_string(::getpid()) + "-" +
                std::to_string(PointCount) + ".trn";
    {
      const auto map = GenerateMap(PointCount);
      map->SaveToFile(file.Name);
      file.Points = map->Points.size();
    }
    // The generated map's memory goes back to the system, so that it does
    // not count in the peaks measured after it.
    malloc_trim(0);
    std::ifstream in(file.Name, std::ios::binary | std::ios::ate);
    file.Bytes = static_cast<size_t>(in.tellg());
  }
  return file;
}

double StatusMegabytes(const std::string& Field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(Field + ":", 0) == 0) {
      return std::stod(line.substr(Field.size() + 1)) / 1024.0;  // kB
    }
  }
  return 0.0;
}

double HeapMegabytes() {
  return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
