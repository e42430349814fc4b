#include "core/cell_pool.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace glenmire {

namespace {

constexpr int LowBit(int i) { return i & -i; }

// The tree of a pool holding every index: each position counts its whole range.
constexpr std::array<uint16_t, kGridCells + 1> kFullTree = [] {
  std::array<uint16_t, kGridCells + 1> tree{};
  for (int i = 1; i <= kGridCells; ++i) tree[i] = static_cast<uint16_t>(LowBit(i));
  return tree;
}();

}  // namespace

void CellPool::PoolInit(int mapSize) {
  side_ = std::clamp(mapSize, 0, kMaxMapSize);
  count_ = side_ * side_;
  span_ = 1;
  while (span_ < count_) span_ *= 2;
  // Positions up to the count cover cells only; those above cover none but
  // the ones whose range reaches down over the count, which are exactly the
  // positions on the way up from it.
  std::memcpy(tree_ + 1, kFullTree.data() + 1, static_cast<std::size_t>(count_) * sizeof tree_[0]);
  std::memset(tree_ + count_ + 1, 0, static_cast<std::size_t>(span_ - count_) * sizeof tree_[0]);
  if (count_ == 0) return;
  for (int p = count_ + LowBit(count_); p <= span_; p += LowBit(p))
    tree_[p] = static_cast<uint16_t>(count_ - (p - LowBit(p)));
}

PoolCell CellPool::PoolTake(int n) {
  if (n < 1 || n > count_) return PoolCell{1, 1};
  // Position n from the front is the rank-th smallest index left.
  int rank = count_ - n + 1;
  int below = 0;  // tree position whose prefix holds fewer than rank cells
  for (int step = span_ / 2; step > 0; step /= 2) {
    const int next = below + step;
    const int held = tree_[next];
    if (held < rank) {
      below = next;
      rank -= held;
    }
  }
  // The cell is the one at tree position below + 1, index `below`.
  for (int p = below + 1; p <= span_; p += LowBit(p)) --tree_[p];
  --count_;
  return PoolCell{below / side_ + 1, below % side_ + 1};
}

void CellPool::PoolFree() {
  side_ = 0;
  count_ = 0;
  span_ = 0;
}

}  // namespace glenmire
