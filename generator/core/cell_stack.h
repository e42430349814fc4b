// The pending-cell stack: map cells waiting to be looked at. The
// reachability walk keeps its work on it, so it needs no recursion however
// large an area is.
//
// The cells sit in one buffer with room, from the start, for every cell of
// the largest map and one more: a walk that pushes each map cell at most once
// (and its start, which may lie off the map) never makes it grow, so a push
// allocates nothing. Emptying the stack keeps the room.
#pragma once

#include <cstdint>
#include <vector>

#include "core/grids.h"

namespace glenmire {

struct StackCell {
  int32_t row = 0;
  int32_t column = 0;
};

struct CellStack {
  CellStack() { cells.reserve(kGridCells + 1); }

  std::vector<StackCell> cells;  // the bottom first
};

// Makes the stack empty.
inline void StackInit(CellStack& stack) { stack.cells.clear(); }
inline void StackPush(CellStack& stack, int32_t row, int32_t column) { stack.cells.push_back(StackCell{row, column}); }
// Takes the top cell into `cell`; false (cell untouched) when the stack is empty.
inline bool StackPop(CellStack& stack, StackCell& cell) {
  if (stack.cells.empty()) return false;
  cell = stack.cells.back();
  stack.cells.pop_back();
  return true;
}
inline uint32_t StackCount(const CellStack& stack) { return static_cast<uint32_t>(stack.cells.size()); }

}  // namespace glenmire
