#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "map_import.h"
#include "train_structure.h"

// A folder of its own for each test, gone after it.
class TExchangeFiles {
 public:
  TExchangeFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trexchange-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~TExchangeFiles() { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& Name, const std::string& Text) const {
    const std::string path = Path(Name);
    std::ofstream(path, std::ios::binary) << Text;
    return path;
  }
  std::string Path(const std::string& Name) const {
    return (folder_ / Name).string();
  }

 private:
  std::filesystem::path folder_;
};

// An OSM XML file of the nodes ("ID LAT LON" each) and ways given as text.
inline std::string OsmXml(const std::string& Body) {
  return "<?xml version=\"1.0\"?>\n<osm version=\"0.6\">\n" + Body + "</osm>\n";
}
