// The cell pool hands out the map's cells at random without repetition, so a
// filling loop can stop once every cell has been tried.
//
// The pool is a list of cells in reverse row-major order: position 1 holds
// (mapSize, mapSize), the last position (1, 1); a take removes one position
// and closes the gap. Which cell a position names is what a seed means, so
// that order is kept exactly. It is kept as a Fenwick tree of the cells still
// there, by row-major index: position n is the (count - n + 1)-th smallest
// index left, found and removed in one walk down and one walk up the tree
// (14 steps each on the largest map). The pool allocates nothing.
#pragma once

#include <cstdint>

#include "core/grids.h"

namespace glenmire {

struct PoolCell {
  int32_t row;
  int32_t column;
};

class CellPool {
 public:
  CellPool() = default;
  CellPool(const CellPool&) = delete;
  CellPool& operator=(const CellPool&) = delete;

  // Every cell of a mapSize x mapSize map (at most the grids' 128 x 128; none
  // for a side below 1), in reverse row-major order.
  void PoolInit(int mapSize);
  uint16_t PoolCount() const { return static_cast<uint16_t>(count_); }
  // Removes and returns the cell at 1-based position n; (1, 1) and nothing
  // removed when n lies outside 1..count.
  PoolCell PoolTake(int n);
  // Empties the pool.
  void PoolFree();

 private:
  int side_ = 0;
  int count_ = 0;
  int span_ = 0;  // the tree's reach: the least power of two >= side * side
  // tree_[i] counts the cells left with 0-based index in [i - lowbit(i), i).
  // Only what PoolInit set is read, so the tree starts unset.
  uint16_t tree_[kGridCells + 1];
};

}  // namespace glenmire
