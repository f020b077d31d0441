#include "recovery_entry.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "errors.h"
#include "file_access.h"
#include "map_reader.h"

namespace {

std::vector<std::string> FileNames(const std::string& Folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(Folder, error)) {
    names.push_back(item.path().filename().string());
  }
  return names;
}

// The generation of a copy of Entry's map; 0 for any other name.
uint64_t CopyGeneration(const std::string& Name, int Entry) {
  int entry = 0;
  uint64_t generation = 0;
  if (!ParseRecoveryMapName(Name, entry, generation) || entry != Entry) {
    return 0;
  }
  return generation;
}

}  // namespace

std::vector<int> RecoveryEntries(const std::string& Folder) {
  std::vector<int> entries;
  for (const std::string& name : FileNames(Folder)) {
    const int entry = RecoveryEntryOf(name);
    if (entry >= 0) entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

TRecoveredMap ReadRecoveryEntry(const std::string& Folder, int Entry,
                                TFileSystem& Files) {
  TRecoveredMap recovered;
  recovered.Map = std::make_unique<TTrainStructureSV>();
  const auto fail = [&](const std::string& Name, const std::string& Message) {
    if (recovered.Error.empty()) {
      recovered.Error = "Recovery file " + Name + ": " + Message;
    }
  };

  const std::string infoName = Folder + "/" + RecoveryInfoName(Entry);
  recovered.Files.push_back(infoName);
  try {
    ReadRecoveryInfo(ReadWholeFile(infoName, Files), recovered.Info);
  } catch (const std::runtime_error& Error) {
    fail(infoName, Error.what());
  }

  uint64_t newest = 0;
  for (const std::string& name : FileNames(Folder)) {
    const uint64_t generation = CopyGeneration(name, Entry);
    if (generation == 0) continue;
    recovered.Files.push_back(Folder + "/" + name);
    if (recovered.Info.MapFile.empty() && generation > newest) {
      newest = generation;
    }
  }
  const std::string mapName =
      recovered.Info.MapFile.empty()
          ? (newest > 0 ? RecoveryMapName(Entry, newest) : std::string())
          : recovered.Info.MapFile;
  if (mapName.empty()) return recovered;

  const std::string mapPath = Folder + "/" + mapName;
  try {
    const std::string text = ReadWholeFile(mapPath, Files);
    if (text.size() != recovered.Info.MapBytes) {
      fail(mapPath, "Damaged recovery file");
    }
    recovered.Map->SetNextId(recovered.Info.NextId);
    ReadMap(text, *recovered.Map);
  } catch (const std::runtime_error& Error) {
    fail(mapPath, Error.what());
  }
  return recovered;
}
