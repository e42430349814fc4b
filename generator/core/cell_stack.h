// The pending-cell stack: a singly linked stack of map cells waiting to be
// looked at. The region fill and the reachability walk keep their work on it,
// so neither needs recursion however large an area is.
#pragma once

#include <cstdint>

namespace glenmire {

struct StackCell {
  int32_t row = 0;
  int32_t column = 0;
};

struct StackNode {
  StackCell cell;
  StackNode* below = nullptr;  // the previous top
};

// Owns its link nodes and frees whatever is left on it when it goes away.
struct CellStack {
  CellStack() = default;
  ~CellStack();
  CellStack(const CellStack&) = delete;
  CellStack& operator=(const CellStack&) = delete;

  StackNode* top = nullptr;
  uint32_t count = 0;
};

// Makes the stack empty, freeing any nodes still on it.
void StackInit(CellStack& stack);
void StackPush(CellStack& stack, int32_t row, int32_t column);
// Takes the top cell into `cell` and frees its node; false (cell untouched)
// when the stack is empty.
bool StackPop(CellStack& stack, StackCell& cell);

}  // namespace glenmire
