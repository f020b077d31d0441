#include "index_check.h"

#include "spatial_index.h"

namespace test_maps {

namespace {

// The objects found in each box, list by list, with a null between lists.
using TAnswers = std::vector<const void*>;

TAnswers Found(const TSpatialIndex& Index,
               const std::vector<TWorldBox>& Boxes) {
  TAnswers answers;
  const auto add = [&answers](const auto& Objects) {
    answers.insert(answers.end(), Objects.begin(), Objects.end());
    answers.push_back(nullptr);
  };
  for (const TWorldBox& box : Boxes) {
    add(Index.Points(box));
    add(Index.Tracks(box));
    add(Index.Walls(box));
    add(Index.Trains(box));
  }
  return answers;
}

TAnswers Visited(const TTrainStructureSV& Map,
                 const std::vector<TWorldBox>& Boxes) {
  TAnswers answers;
  const auto add = [&](const auto& List, const TWorldBox& Box) {
    for (const auto& object : List) {
      if (TSpatialIndex::BoxOf(*object).Meets(Box)) {
        answers.push_back(object.get());
      }
    }
    answers.push_back(nullptr);
  };
  for (const TWorldBox& box : Boxes) {
    add(Map.Points, box);
    add(Map.Tracks, box);
    add(Map.Walls, box);
    add(Map.Trains, box);
  }
  return answers;
}

}  // namespace

std::string IndexProblems(const TTrainStructureSV& Map,
                          const std::vector<TWorldBox>& Boxes) {
  if (Found(Map.SpatialIndex(), Boxes) == Visited(Map, Boxes)) return {};
  return "the index answers otherwise than a visit of every object";
}

}  // namespace test_maps
