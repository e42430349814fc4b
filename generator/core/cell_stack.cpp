#include "core/cell_stack.h"

namespace glenmire {

CellStack::~CellStack() { StackInit(*this); }

void StackInit(CellStack& stack) {
  while (stack.top != nullptr) {
    StackNode* below = stack.top->below;
    delete stack.top;
    stack.top = below;
  }
  stack.count = 0;
}

void StackPush(CellStack& stack, int32_t row, int32_t column) {
  auto* node = new StackNode;
  node->cell = StackCell{row, column};
  node->below = stack.top;
  stack.top = node;
  ++stack.count;
}

bool StackPop(CellStack& stack, StackCell& cell) {
  StackNode* node = stack.top;
  if (node == nullptr) return false;
  cell = node->cell;
  stack.top = node->below;
  delete node;
  --stack.count;
  return true;
}

}  // namespace glenmire
