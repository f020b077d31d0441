#pragma once

#include <memory>
#include <string>
#include <vector>

#include "file_system.h"
#include "recovery_info.h"
#include "train_structure.h"

// A map window's state as a recovery folder keeps it, read back.
struct TRecoveredMap {
  TRecoveryInfo Info;
  // What could be read of the map; never null.
  std::unique_ptr<TTrainStructureSV> Map;
  // Empty when the whole entry was read; otherwise the message for the
  // user, naming the file that failed.
  std::string Error;
  // The entry's files: its info and every copy of its map.
  std::vector<std::string> Files;
};

// The entries of a recovery folder in the order their windows were made.
std::vector<int> RecoveryEntries(const std::string& Folder);

// Reads entry Entry of Folder: its info, then the copy of the map the info
// names (or, when the info cannot tell, the newest copy there is), which
// must have the size the info gives.
TRecoveredMap ReadRecoveryEntry(const std::string& Folder, int Entry,
                                TFileSystem& Files = SystemFileSystem());
