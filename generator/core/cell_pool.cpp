#include "core/cell_pool.h"

#include "core/linked_list.h"

namespace glenmire {

namespace {

void ReleaseCell(void* data) { delete static_cast<PoolCell*>(data); }

}  // namespace

struct CellPool::Impl {
  LinkedList* list = nullptr;
};

CellPool::CellPool() : impl_(new Impl) {}

CellPool::~CellPool() {
  PoolFree();
  delete impl_;
}

void CellPool::PoolInit(int mapSize) {
  PoolFree();
  impl_->list = ListCreate(&ReleaseCell);
  // Each cell goes in front, so the pool ends up in reverse row-major order.
  for (int row = 1; row <= mapSize; ++row)
    for (int column = 1; column <= mapSize; ++column)
      ListInsert(impl_->list, new PoolCell{row, column}, nullptr);
}

uint16_t CellPool::PoolCount() const { return impl_->list == nullptr ? 0 : ListCount(impl_->list); }

PoolCell CellPool::PoolTake(int n) {
  const int count = PoolCount();
  // Positions are 1-based; anything outside 1..count takes nothing.
  if (n < 1 || n > count) return PoolCell{1, 1};
  const int half = count / 2;
  ListNode* node;
  if (n >= half) {
    node = ListLast(impl_->list);
    for (int i = 0; i < count - n; ++i) node = ListPrev(node);
  } else {
    node = ListFirst(impl_->list);
    for (int i = 0; i < n - 1; ++i) node = ListNext(node);
  }
  const PoolCell cell = *static_cast<const PoolCell*>(node->data);
  ListRemove(impl_->list, node);
  return cell;
}

void CellPool::PoolFree() {
  ListDestroy(impl_->list);
  impl_->list = nullptr;
}

}  // namespace glenmire
