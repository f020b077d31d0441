// Writes the generated railway data of the import benchmark to a file:
//   write_generated_osm FILE.osm.pbf [NODES]   10,000,000 nodes by default
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "osm_generator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: write_generated_osm FILE.osm.pbf [NODES]\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long long nodes =
      argc == 3 ? std::strtoull(argv[2], &end, 10) : 10'000'000ULL;
  if (argc == 3 && (end == argv[2] || *end != '\0' || nodes == 0)) {
    std::fprintf(stderr, "write_generated_osm: invalid node count '%s'\n",
                 argv[2]);
    return 2;
  }
  try {
    WriteOsmPbf(argv[1], nodes);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "write_generated_osm: %s: %s\n", argv[1],
                 error.what());
    return 1;
  }
  return 0;
}
