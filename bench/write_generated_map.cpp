// Writes a generated map of the given number of points to a file, for
// measuring tools on large maps:  write_generated_map POINTS FILE

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "map_generator.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: write_generated_map POINTS FILE\n", stderr);
    return 2;
  }
  try {
    GenerateMap(std::strtoull(argv[1], nullptr, 10))->SaveToFile(argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
