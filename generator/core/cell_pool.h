// The cell pool hands out the map's cells at random without repetition, so a
// filling loop can stop once every cell has been tried. It sits on a doubly
// linked list (see linked_list.h); a take walks from the nearer end.
#pragma once

#include <cstdint>

namespace glenmire {

struct PoolCell {
  int32_t row;
  int32_t column;
};

class CellPool {
 public:
  CellPool();
  ~CellPool();
  CellPool(const CellPool&) = delete;
  CellPool& operator=(const CellPool&) = delete;

  // Every cell of a mapSize x mapSize map, in reverse row-major order:
  // position 1 holds (mapSize, mapSize), the last position (1, 1).
  void PoolInit(int mapSize);
  uint16_t PoolCount() const;
  // Removes and returns the cell at 1-based position n; (1, 1) and nothing
  // removed when n is beyond the count.
  PoolCell PoolTake(int n);
  void PoolFree();

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace glenmire
