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

// Writes the generated map to Name; gives its number of points.
size_t WriteGenerated(size_t PointCount, const std::string& Name) {
  size_t points = 0;
  {
    const auto map = GenerateMap(PointCount);
    map->SaveToFile(Name);
    points = map->Points.size();
  }
  // The generated map's memory goes back to the system, so that it does
  // not count in the peaks measured after it.
  malloc_trim(0);
  return points;
}

// The number of points a kept file holds, from its first line ("PNT N");
// 0 when there is no such file.
size_t KeptPoints(const std::string& Name) {
  std::ifstream in(Name, std::ios::binary);
  std::string keyword;
  size_t points = 0;
  if (!(in >> keyword >> points) || keyword != "PNT") return 0;
  return points;
}

}  // namespace

const TGeneratedMapFile& GeneratedMapFile(size_t PointCount) {
  static TFiles files;
  if (PointCount >= kKeptPoints) {
    static std::map<size_t, TGeneratedMapFile> kept;
    TGeneratedMapFile& file = kept[PointCount];
    if (file.Name.empty()) {
      file.Name = "/tmp/trn-bench-kept-" + std::to_string(PointCount) + ".trn";
      file.Points = KeptPoints(file.Name);
      if (file.Points == 0) {
        // Written whole under another name first, so that a run stopped
        // half-way leaves no half file to be reused.
        const std::string part =
            file.Name + "." + std::to_string(::getpid()) + ".part";
        file.Points = WriteGenerated(PointCount, part);
        std::rename(part.c_str(), file.Name.c_str());
      }
      std::ifstream in(file.Name, std::ios::binary | std::ios::ate);
      file.Bytes = static_cast<size_t>(in.tellg());
    }
    return file;
  }
  TGeneratedMapFile& file = files[PointCount];
  if (file.Name.empty()) {
    file.Name = "/tmp/trn-bench-" + std::to_string(::getpid()) + "-" +
                std::to_string(PointCount) + ".trn";
    file.Points = WriteGenerated(PointCount, file.Name);
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
