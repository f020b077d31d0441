#include "tool_files.h"

#include <cstring>

#include "errors.h"
#include "train_structure.h"

std::string FailureMessage(const std::string& Name,
                           const std::exception& Error) {
  const auto* file = dynamic_cast<const EFileError*>(&Error);
  if (file != nullptr && file->SystemError() != 0) {
    return Name + ": " + std::strerror(file->SystemError());
  }
  return Name + ": " + Error.what();
}

std::string LoadMap(TTrainStructureSV& Map, const std::string& Name) {
  try {
    Map.LoadFromFile(Name);
    return {};
  } catch (const std::exception& error) {
    return FailureMessage(Name, error);
  }
}
