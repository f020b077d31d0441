#include "map_edit.h"

#include "train_structure.h"

size_t TMapEdit::Bytes() const {
  size_t bytes = Changes.capacity() * sizeof(TMapChange);
  for (const TMapChange& change : Changes) {
    std::visit(
        [&bytes]<typename C>(const C& Record) {
          if constexpr (requires { Record.Held; }) {
            if (Record.Held) bytes += sizeof(*Record.Held);
          }
        },
        change);
  }
  return bytes;
}

void TMapEdit::Undo(TTrainStructureSV& Map) {
  for (auto change = Changes.rbegin(); change != Changes.rend(); ++change) {
    Map.Apply(*change);
  }
}

void TMapEdit::Redo(TTrainStructureSV& Map) {
  for (TMapChange& change : Changes) Map.Apply(change);
}
