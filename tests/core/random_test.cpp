#include "core/random.h"

#include <gtest/gtest.h>

#include <climits>

namespace glenmire {
namespace {

// Worked by hand from seed := seed * 134775813 + 1 and result := (seed * n) >> 32.
TEST(Random, FirstValuesFollowTheFormula) {
  Random r;
  r.Seed(0);
  EXPECT_EQ(r.RandInt(100), 0);  // seed 1: 1 * 100 >> 32 = 0
  EXPECT_EQ(r.seed, 1u);
  EXPECT_EQ(r.RandInt(100), 3);  // seed 134775814: 13477581400 >> 32 = 3
  EXPECT_EQ(r.seed, 134775814u);
  r.Seed(1);
  r.RandInt(1);
  EXPECT_EQ(r.seed, 134775814u);
  r.Seed(0xFFFFFFFFu);
  // 0xFFFFFFFF * 134775813 + 1 = -134775812 mod 2^32 = 4160191484
  EXPECT_EQ(r.RandInt(1000), static_cast<int32_t>((4160191484ull * 1000) >> 32));
  EXPECT_EQ(r.seed, 4160191484u);
}

TEST(Random, EveryCallAdvancesOnceWhateverN) {
  Random a, b;
  a.Seed(12345);
  b.Seed(12345);
  EXPECT_EQ(a.RandInt(0), 0);
  EXPECT_EQ(a.RandInt(-7), 0);
  b.RandInt(10);
  b.RandInt(10);
  EXPECT_EQ(a.seed, b.seed);
  EXPECT_EQ(a.draws, 2u);
}

TEST(Random, StaysInRange) {
  Random r;
  r.Seed(42);
  for (int i = 0; i < 10000; ++i) {
    int32_t v = r.RandInt(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
  }
}

// Two draws at once are the two draws one after the other: the same values
// and the same seed, for every kind of n, from seeds all over the range.
TEST(Random, TwiceIsTwoDrawsInARow) {
  Random seeds;
  seeds.Seed(9);
  for (int i = 0; i < 2000; ++i) {
    const uint32_t start = static_cast<uint32_t>(seeds.RandInt(1 << 30)) * 4u + static_cast<uint32_t>(i % 4);
    for (int32_t n : {8, 1, 0, -3, 100, 1 << 30, INT32_MAX}) {
      Random one{start, 7}, two{start, 7};
      const int32_t a = one.RandInt(n), b = one.RandInt(n);
      int32_t first = -1, second = -1;
      two.RandIntTwice(n, first, second);
      ASSERT_EQ(first, a) << start << " " << n;
      ASSERT_EQ(second, b) << start << " " << n;
      ASSERT_EQ(two.seed, one.seed);
      ASSERT_EQ(two.draws, 9u);
    }
  }
}

// Pins the sequence: an accidental change of the generator fails loudly here.
TEST(Random, SequenceIsPinned) {
  Random r;
  r.Seed(102);
  const int32_t expected[] = {51, 168, 178, 96, 241};
  for (int32_t v : expected) EXPECT_EQ(r.RandInt(256), v);
  EXPECT_EQ(r.seed, 0xF196802Bu);
  EXPECT_EQ(r.draws, 5u);
}

}  // namespace
}  // namespace glenmire
