#include "core/cell_pool.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "core/random.h"
#include "support/allocation_count.h"

namespace glenmire {
namespace {

using testing::AllocationCount;

struct Cell {
  int row;
  int column;
  bool operator==(const Cell&) const = default;
};

void PrintTo(const Cell& c, std::ostream* os) { *os << "(" << c.row << ", " << c.column << ")"; }

Cell Take(CellPool& pool, int n) {
  PoolCell c = pool.PoolTake(n);
  return {c.row, c.column};
}

// The pool as a plain list, the way the generator has always kept it: every
// cell put in front in row-major order, so the list runs in reverse row-major
// order; a take unlinks the n-th entry, and a position outside 1..count
// gives (1, 1) and unlinks nothing.
class ListModel {
 public:
  explicit ListModel(int side) {
    for (int row = 1; row <= side; ++row)
      for (int column = 1; column <= side; ++column)
        cells_.insert(cells_.begin(), Entry{static_cast<uint8_t>(row), static_cast<uint8_t>(column)});
  }
  int Count() const { return static_cast<int>(cells_.size()); }
  Cell Take(int n) {
    if (n < 1 || n > Count()) return {1, 1};
    const Entry e = cells_[static_cast<std::size_t>(n - 1)];
    cells_.erase(cells_.begin() + (n - 1));
    return {e.row, e.column};
  }

 private:
  struct Entry {
    uint8_t row, column;
  };
  std::vector<Entry> cells_;
};

// Positions that must take nothing, for a pool of `count` cells.
std::vector<int> OutOfRange(int count) { return {0, -1, -count, count + 1, count + 2, 65536 + 1, INT_MIN, INT_MAX}; }

// Both ways of finding a word's k-th set bit against a walk along its bits:
// words sparse to full, every k they hold; the deposit only where the pool
// uses it (elsewhere it is the byte counts again).
TEST(CellPool, BothBitSearchesFindTheKthSetBit) {
  Random random{5, 0};
  int words = 0;
  for (int density : {1, 8, 32, 56, 63, 64}) {
    for (int trial = 0; trial < 200; ++trial) {
      uint64_t x = 0;
      for (int bit = 0; bit < 64; ++bit)
        if (random.RandInt(64) < density) x |= uint64_t{1} << bit;
      int k = 0;
      for (int bit = 0; bit < 64; ++bit) {
        if ((x >> bit & 1) == 0) continue;
        ASSERT_EQ(SelectBitByCounts(x, k), bit) << std::hex << x << " k " << std::dec << k;
        if (SelectByDepositIsFast()) {
          ASSERT_EQ(SelectBitByDeposit(x, k), bit) << std::hex << x << " k " << std::dec << k;
        }
        ++k;
      }
      words += k > 0;
    }
  }
  EXPECT_GT(words, 1000);
}

// Take for take against the list on every side the grids hold: a seeded
// drain whose positions favour the two ends and the middle, with a position
// outside the pool tried between every two takes.
TEST(CellPool, TakesMatchThePlainListOnEverySide) {
  CellPool pool;
  for (int side = 1; side <= kMaxMapSize; ++side) {
    pool.PoolInit(side);
    ListModel model(side);
    Random rng;
    rng.Seed(static_cast<uint32_t>(side) * 7919u);
    for (int step = 0; model.Count() > 0; ++step) {
      const int count = model.Count();
      ASSERT_EQ(pool.PoolCount(), count) << "side " << side;
      const std::vector<int> outside = OutOfRange(count);
      const int probe = outside[static_cast<std::size_t>(step) % outside.size()];
      ASSERT_EQ(Take(pool, probe), model.Take(probe)) << "side " << side << " probe " << probe;
      const int n = step % 4 == 1   ? 1
                    : step % 4 == 2 ? count
                    : step % 8 == 3 ? (count + 1) / 2
                                    : rng.RandInt(count) + 1;
      ASSERT_EQ(Take(pool, n), model.Take(n)) << "side " << side << " count " << count << " n " << n;
    }
    EXPECT_EQ(pool.PoolCount(), 0);
    for (int probe : OutOfRange(0)) EXPECT_EQ(Take(pool, probe), (Cell{1, 1}));
    EXPECT_EQ(Take(pool, 1), (Cell{1, 1}));
  }
}

// On small pools, every position at every stage of a drain.
TEST(CellPool, EveryPositionOfSmallPoolsMatchesThePlainList) {
  for (int side = 1; side <= 6; ++side) {
    const int cells = side * side;
    std::vector<int> drain;  // the takes that lead to each stage
    Random rng;
    rng.Seed(static_cast<uint32_t>(side));
    for (int left = cells; left > 0; --left) drain.push_back(rng.RandInt(left) + 1);
    for (int stage = 0; stage < cells; ++stage) {
      const int count = cells - stage;
      std::vector<int> positions = OutOfRange(count);
      for (int n = 1; n <= count; ++n) positions.push_back(n);
      for (int n : positions) {
        CellPool pool;
        pool.PoolInit(side);
        ListModel model(side);
        for (int i = 0; i < stage; ++i) ASSERT_EQ(Take(pool, drain[i]), model.Take(drain[i]));
        ASSERT_EQ(Take(pool, n), model.Take(n)) << "side " << side << " stage " << stage << " n " << n;
        // What is left stays in the list's order.
        while (model.Count() > 0) ASSERT_EQ(Take(pool, 1), model.Take(1)) << "side " << side << " stage " << stage;
        ASSERT_EQ(pool.PoolCount(), 0);
      }
    }
  }
}

// Position p of a fresh pool holds the (count - p)-th cell in row-major order.
TEST(CellPool, FreshPoolNamesCellsInReverseRowMajorOrder) {
  struct Case {
    int n;
    Cell expected;
    int countAfter;
  };
  const Case cases[] = {{1, {32, 32}, 1023},   {2, {32, 31}, 1023},  {511, {17, 2}, 1023}, {512, {17, 1}, 1023},
                        {513, {16, 32}, 1023}, {1023, {1, 2}, 1023}, {1024, {1, 1}, 1023}, {1025, {1, 1}, 1024},
                        {60000, {1, 1}, 1024}, {0, {1, 1}, 1024},    {-3, {1, 1}, 1024}};
  for (const Case& c : cases) {
    CellPool pool;
    pool.PoolInit(32);
    EXPECT_EQ(Take(pool, c.n), c.expected) << "position " << c.n;
    EXPECT_EQ(pool.PoolCount(), c.countAfter) << "position " << c.n;
  }
}

TEST(CellPool, InitAgainStartsOverAndFreeEmpties) {
  CellPool pool;
  EXPECT_EQ(pool.PoolCount(), 0);  // before any init
  pool.PoolInit(32);
  Take(pool, 5);
  pool.PoolInit(64);
  EXPECT_EQ(pool.PoolCount(), 4096);
  EXPECT_EQ(Take(pool, 1), (Cell{64, 64}));
  pool.PoolInit(96);  // a side that is not a power of two, after a smaller pool
  EXPECT_EQ(pool.PoolCount(), 9216);
  EXPECT_EQ(Take(pool, 9216), (Cell{1, 1}));
  EXPECT_EQ(Take(pool, 1), (Cell{96, 96}));
  EXPECT_EQ(Take(pool, 9214), (Cell{1, 2}));
  pool.PoolFree();
  EXPECT_EQ(pool.PoolCount(), 0);
  EXPECT_EQ(Take(pool, 1), (Cell{1, 1}));
  pool.PoolFree();  // twice is harmless
  pool.PoolInit(0);
  EXPECT_EQ(pool.PoolCount(), 0);
  pool.PoolInit(128);
  EXPECT_EQ(pool.PoolCount(), 16384);
  EXPECT_EQ(Take(pool, 16384), (Cell{1, 1}));
}

TEST(CellPool, AllocatesNothing) {
  CellPool pool;
  const AllocationCount count;
  for (int side : {128, 96, 1}) {
    pool.PoolInit(side);
    while (pool.PoolCount() > 0) pool.PoolTake(pool.PoolCount() / 3 + 1);
  }
  pool.PoolFree();
  EXPECT_EQ(count.Made(), 0);
}

}  // namespace
}  // namespace glenmire
