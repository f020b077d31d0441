#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "import_options.h"
#include "map_projection.h"
#include "map_writer.h"
#include "network_builder.h"
#include "source_data.h"
#include "structure_check.h"
#include "train_structure.h"

// What the import harnesses share: a reader is given arbitrary bytes and may
// refuse them only with EImportError (anything else it throws, libFuzzer
// reports); whatever it accepts must make a sound map that the writer takes.

// Every kind a reader knows, buildings too, so that all of it is read.
inline TImportOptions EveryKind() {
  TImportOptions options;
  options.Railways = {"rail", "light_rail", "tram", "subway", "narrow_gauge"};
  options.Buildings = true;
  return options;
}

template <typename TRead>
void CheckImport(const TRead& Read) {
  // One projection for every input: making one asks PROJ's database, which
  // would slow each input down a hundredfold.
  static const TMapProjection projection(TMapProjection::CentredOn(0.0, 0.0));
  TTrainStructureSV map;
  try {
    const TSourceData data = Read();
    BuildNetwork(data, data.Metres ? nullptr : &projection, "input", map);
  } catch (const EImportError&) {
    return;
  }
  for (const std::string& problem : CheckStructure(map)) {
    std::fprintf(stderr, "imported map is not sound: %s\n", problem.c_str());
    std::abort();
  }
  WriteMap(map);
}
