#pragma once

#include <cstddef>
#include <string>

// A map file of the generator's map of about PointCount points, written to
// /tmp once per run and removed at exit. From kKeptPoints points on, making
// the file takes longer than most benchmarks run: it is kept in /tmp under a
// name of its own and reused by later runs (remove it when the generator
// changes).
inline constexpr size_t kKeptPoints = 10'000'000;
struct TGeneratedMapFile {
  std::string Name;
  size_t Points = 0;
  size_t Bytes = 0;
};

const TGeneratedMapFile& GeneratedMapFile(size_t PointCount);

// Memory figures of this process in megabytes: a field of /proc/self/status
// ("VmRSS", "VmHWM"), and the heap in use.
double StatusMegabytes(const std::string& Field);
double HeapMegabytes();
// Starts a new peak: VmHWM falls back to the current resident size.
void ResetPeakMemory();
