// Feeds arbitrary bytes to the import's reader of OpenStreetMap XML and builds
// a map of what it reads (import_fuzzing.h).

#include <cstdint>
#include <string_view>

#include "import_fuzzing.h"
#include "source_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view input(reinterpret_cast<const char*>(Data), Size);
  static const TImportOptions options = EveryKind();
  CheckImport([&] { return ReadOsmText(input, "input.osm", false, options); });
  return 0;
}
