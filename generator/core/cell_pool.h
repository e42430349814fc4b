// The cell pool hands out the map's cells at random without repetition, so a
// filling loop can stop once every cell has been tried.
//
// The pool is a list of cells in reverse row-major order: position 1 holds
// (mapSize, mapSize), the last position (1, 1); a take removes one position
// and closes the gap. Which cell a position names is what a seed means, so
// that order is kept exactly. It is kept as one bit per cell still there, by
// row-major index, in 64-cell words, 16 words to a group, with running
// counts: the cells in groups up to each group, and within a group the cells
// in its words up to each word. Position n is the (count - n + 1)-th
// smallest index left: the running counts at or below it give its group and
// its word, and its bit is found by one bit deposit where the processor has
// a fast one, else from the word's byte counts. A take clears
// the bit and lowers the running counts after it, each a fixed run of 16
// that needs no branch. The whole pool is 2.6 KB and allocates nothing.
#pragma once

#include <cstdint>

#include "core/grids.h"
#include "core/random.h"

namespace glenmire {

// The place of the k-th (from 0) set bit of x, which has more than k set
// bits: from byte counts, or by one bit deposit where the processor has a
// fast one, which the pool then uses.
int SelectBitByCounts(uint64_t x, int k);
int SelectBitByDeposit(uint64_t x, int k);  // by byte counts where there is no deposit
bool SelectByDepositIsFast();

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

  static constexpr int kWords = kGridCells / 64;
  static constexpr int kWordsPerGroup = 16;
  static constexpr int kGroups = kWords / kWordsPerGroup;

 private:
  int side_ = 0;
  int count_ = 0;
  uint64_t reciprocal_ = 0;         // 2^32 / side, rounded up, to divide by the side
  uint16_t groupsUpTo_[kGroups]{};  // cells in groups 0..g
  uint16_t wordsUpTo_[kWords]{};    // cells in the words of w's group up to w
  uint64_t words_[kWords]{};        // bit b of word w: index 64 w + b is still there
};

// One random draw from the pool: a position 1..count, and the cell there
// leaves the pool. Every stage that fills from a pool draws through this.
inline PoolCell TakeRandomCell(Random& random, CellPool& pool) {
  return pool.PoolTake(1 + random.RandInt(pool.PoolCount()));
}

}  // namespace glenmire
