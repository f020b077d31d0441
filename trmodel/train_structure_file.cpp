#include "file_access.h"
#include "map_reader.h"
#include "map_writer.h"
#include "train_structure.h"

void TTrainStructureSV::LoadFromFile(const std::string& FileName,
                                     TFileSystem& Files) {
  TFileText text(FileName, Files);
  ReadMap(text, *this);
}

void TTrainStructureSV::SaveToFile(const std::string& FileName,
                                   TFileSystem& Files) const {
  ReplaceFile(
      FileName, [this](const TContentWriter& Write) { WriteMap(*this, Write); },
      Files);
}
