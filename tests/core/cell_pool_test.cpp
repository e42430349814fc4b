#include <gtest/gtest.h>

#include <vector>

#include "core/cell_pool.h"
#include "core/linked_list.h"
#include "core/random.h"

namespace glenmire {
namespace {

// ---- The list under the pool ----

int released = 0;
void CountRelease(void* data) {
  ++released;
  delete static_cast<int*>(data);
}

std::vector<int> Forward(const LinkedList* list) {
  std::vector<int> out;
  for (ListNode* n = ListFirst(list); n != nullptr; n = ListNext(n)) out.push_back(*static_cast<int*>(n->data));
  return out;
}

std::vector<int> Backward(const LinkedList* list) {
  std::vector<int> out;
  for (ListNode* n = ListLast(list); n != nullptr; n = ListPrev(n)) out.insert(out.begin(), *static_cast<int*>(n->data));
  return out;
}

TEST(LinkedList, InsertInFrontAndAfterKeepsBothDirections) {
  released = 0;
  LinkedList* list = ListCreate(&CountRelease);
  EXPECT_EQ(ListCount(list), 0);
  EXPECT_EQ(ListFirst(list), nullptr);
  EXPECT_EQ(ListLast(list), nullptr);

  ListNode* b = ListInsert(list, new int(2), nullptr);  // [2]
  EXPECT_EQ(ListFirst(list), b);
  EXPECT_EQ(ListLast(list), b);
  ListInsert(list, new int(1), nullptr);               // [1 2]
  ListNode* d = ListInsert(list, new int(4), b);       // [1 2 4]: after the last, becomes the last
  EXPECT_EQ(ListLast(list), d);
  ListInsert(list, new int(3), b);                     // [1 2 3 4]: in the middle
  EXPECT_EQ(ListCount(list), 4);
  EXPECT_EQ(Forward(list), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Backward(list), (std::vector<int>{1, 2, 3, 4}));
  ListDestroy(list);
  EXPECT_EQ(released, 4);
}

TEST(LinkedList, RemoveFixesNeighboursEndsAndCount) {
  released = 0;
  LinkedList* list = ListCreate(&CountRelease);
  std::vector<ListNode*> nodes;
  for (int i = 5; i >= 1; --i) nodes.insert(nodes.begin(), ListInsert(list, new int(i), nullptr));  // [1..5]

  ListRemove(list, nodes[2]);  // middle
  EXPECT_EQ(Forward(list), (std::vector<int>{1, 2, 4, 5}));
  EXPECT_EQ(Backward(list), (std::vector<int>{1, 2, 4, 5}));
  ListRemove(list, nodes[0]);  // first
  EXPECT_EQ(ListFirst(list), nodes[1]);
  EXPECT_EQ(ListPrev(nodes[1]), nullptr);
  ListRemove(list, nodes[4]);  // last
  EXPECT_EQ(ListLast(list), nodes[3]);
  EXPECT_EQ(ListNext(nodes[3]), nullptr);
  EXPECT_EQ(Forward(list), (std::vector<int>{2, 4}));
  EXPECT_EQ(ListCount(list), 2);
  EXPECT_EQ(released, 3);

  ListRemove(list, nodes[1]);
  ListRemove(list, nodes[3]);
  EXPECT_EQ(ListCount(list), 0);
  EXPECT_EQ(ListFirst(list), nullptr);
  EXPECT_EQ(ListLast(list), nullptr);
  ListRemove(list, nullptr);  // removing from an empty list does nothing
  EXPECT_EQ(ListCount(list), 0);
  ListDestroy(list);
  EXPECT_EQ(released, 5);
}

// ---- The cell pool ----

struct Cell {
  int row;
  int column;
  bool operator==(const Cell&) const = default;
};

// Position p of a fresh pool holds the (count - p)-th cell in row-major order.
Cell FreshAt(int mapSize, int position) {
  const int index = mapSize * mapSize - position;
  return {index / mapSize + 1, index % mapSize + 1};
}

Cell Take(CellPool& pool, int n) {
  PoolCell c = pool.PoolTake(n);
  return {c.row, c.column};
}

TEST(CellPool, FreshPoolListsCellsInReverseRowMajorOrder) {
  CellPool pool;
  EXPECT_EQ(pool.PoolCount(), 0);  // before any init
  pool.PoolInit(32);
  EXPECT_EQ(pool.PoolCount(), 1024);
  // Taking position 1 again and again walks the whole fresh order.
  for (int p = 1; p <= 1024; ++p) ASSERT_EQ(Take(pool, 1), FreshAt(32, p)) << "position " << p;
  EXPECT_EQ(pool.PoolCount(), 0);
}

struct TakeCase {
  int n;
  Cell expected;
  int countAfter;
};

class FreshPoolTake : public testing::TestWithParam<TakeCase> {};

TEST_P(FreshPoolTake, ReturnsTheCellAtThePosition) {
  const TakeCase& t = GetParam();
  CellPool pool;
  pool.PoolInit(32);
  EXPECT_EQ(Take(pool, t.n), t.expected);
  EXPECT_EQ(pool.PoolCount(), t.countAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, FreshPoolTake,
    testing::Values(TakeCase{1, {32, 32}, 1023},     // the front
                    TakeCase{2, {32, 31}, 1023},     // near the front
                    TakeCase{511, {17, 2}, 1023},    // just below half: walked from the front
                    TakeCase{512, {17, 1}, 1023},    // half itself: walked from the back
                    TakeCase{513, {16, 32}, 1023},   // just above half
                    TakeCase{1023, {1, 2}, 1023},    // near the back
                    TakeCase{1024, {1, 1}, 1023},    // the back
                    TakeCase{1025, {1, 1}, 1024},    // beyond the count: nothing removed
                    TakeCase{60000, {1, 1}, 1024},
                    TakeCase{0, {1, 1}, 1024},       // positions are 1-based
                    TakeCase{-3, {1, 1}, 1024}));

TEST(CellPool, BeyondTheCountLeavesTheOrderAlone) {
  CellPool pool;
  pool.PoolInit(32);
  EXPECT_EQ(Take(pool, 1025), (Cell{1, 1}));
  EXPECT_EQ(Take(pool, 1024), (Cell{1, 1}));  // (1, 1) really was still there
  EXPECT_EQ(Take(pool, 1024), (Cell{1, 1}));  // now beyond the count of 1023
  EXPECT_EQ(pool.PoolCount(), 1023);
  EXPECT_EQ(Take(pool, 1023), (Cell{1, 2}));
}

// Random takes against a plain vector model: the remaining order never changes.
TEST(CellPool, RandomTakesMatchAPlainModel) {
  for (int mapSize : {1, 2, 3, 32, 64}) {
    CellPool pool;
    pool.PoolInit(mapSize);
    std::vector<Cell> model;
    for (int p = 1; p <= mapSize * mapSize; ++p) model.push_back(FreshAt(mapSize, p));
    Random rng;
    rng.Seed(static_cast<uint32_t>(mapSize));
    while (!model.empty()) {
      ASSERT_EQ(pool.PoolCount(), model.size());
      const int n = rng.RandInt(static_cast<int32_t>(model.size())) + 1;
      ASSERT_EQ(Take(pool, n), model[n - 1]) << "map " << mapSize << " n " << n;
      model.erase(model.begin() + (n - 1));
    }
    EXPECT_EQ(pool.PoolCount(), 0);
    EXPECT_EQ(Take(pool, 1), (Cell{1, 1}));
  }
}

TEST(CellPool, InitAgainStartsOverAndFreeEmpties) {
  CellPool pool;
  pool.PoolInit(32);
  Take(pool, 5);
  pool.PoolInit(64);
  EXPECT_EQ(pool.PoolCount(), 4096);
  EXPECT_EQ(Take(pool, 1), (Cell{64, 64}));
  pool.PoolFree();
  EXPECT_EQ(pool.PoolCount(), 0);
  EXPECT_EQ(Take(pool, 1), (Cell{1, 1}));
  pool.PoolFree();  // twice is harmless
  pool.PoolInit(128);
  EXPECT_EQ(pool.PoolCount(), 16384);
  EXPECT_EQ(Take(pool, 16384), (Cell{1, 1}));
}

}  // namespace
}  // namespace glenmire
