#include "map_edit.h"

#include "train_structure.h"

size_t TMapEdit::Bytes() const {
  size_t bytes = Changes.capacity() * sizeof(TMapChange);
  const auto held = [&bytes](const auto& Entry) {
    if (Entry.Held) bytes += sizeof(*Entry.Held);
  };
  for (const TMapChange& change : Changes) {
    std::visit(
        [&]<typename C>(const C& Record) {
          if constexpr (requires { Record.Held; }) {
            held(Record);
          } else if constexpr (requires { Record.Entries; }) {
            bytes += Record.Entries.capacity() * sizeof(Record.Entries[0]);
            for (const auto& entry : Record.Entries) held(entry);
          }
        },
        change);
  }
  return bytes;
}

size_t TMapEdit::PointMoves() const {
  size_t moves = 0;
  for (const TMapChange& change : Changes) {
    moves += std::holds_alternative<map_change::TPointPos>(change);
  }
  return moves;
}

void TMapEdit::Undo(TTrainStructureSV& Map) {
  Map.ExpectMoves(PointMoves());
  for (auto change = Changes.rbegin(); change != Changes.rend(); ++change) {
    Map.Apply(*change);
  }
}

void TMapEdit::Redo(TTrainStructureSV& Map) {
  Map.ExpectMoves(PointMoves());
  for (TMapChange& change : Changes) Map.Apply(change);
}
