#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// Numbers filed under the cells of a grid over the plane, for finding what
// lies near a place: filled, then sealed, then only looked up. Sixteen
// bytes an entry, and a filter of a few bits an entry that answers most
// looks into empty cells without a search.
class TCellGrid {
 public:
  void Add(int64_t Cell, uint32_t Entry) { entries_.emplace_back(Cell, Entry); }

  void Seal() {
    std::sort(entries_.begin(), entries_.end());
    size_t bits = 64;
    while (bits < 8 * entries_.size()) bits *= 2;
    filter_.assign(bits / 64, 0);
    mask_ = bits - 1;
    for (const auto& entry : entries_) {
      const size_t bit = Bit(entry.first);
      filter_[bit / 64] |= uint64_t{1} << (bit % 64);
    }
  }

  // Calls Visit with each entry of Cell, in the order of their numbers.
  template <typename TVisit>
  void ForEach(int64_t Cell, TVisit Visit) const {
    const size_t bit = Bit(Cell);
    if ((filter_[bit / 64] >> (bit % 64) & 1) == 0) return;
    auto at = std::lower_bound(entries_.begin(), entries_.end(),
                               std::make_pair(Cell, uint32_t{0}));
    for (; at != entries_.end() && at->first == Cell; ++at) Visit(at->second);
  }

 private:
  size_t Bit(int64_t Cell) const {
    return static_cast<size_t>(
               (static_cast<uint64_t>(Cell) * 0x9E3779B97F4A7C15ULL) >> 32) &
           mask_;
  }

  std::vector<std::pair<int64_t, uint32_t>> entries_;
  std::vector<uint64_t> filter_;
  size_t mask_ = 0;
};
