#pragma once

#include <cstddef>
#include <string>

// A map file of the generator's map of about PointCount points, written to
// /tmp once per run and removed at exit.
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
