#include "terrain/area_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "terrain/rivers_and_ranges.h"

namespace glenmire {
namespace {

std::unique_ptr<GeneratorState> MapOf(int side, uint16_t cls) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = side;
  s->TerrainGrid.Fill(side, cls);
  return s;
}

// Rows 1..16, columns 1..16: '.' holds `from`, '#' holds `to`, 'o' anything else.
std::vector<std::string> Corner(const GeneratorState& s, uint16_t from, uint16_t to) {
  std::vector<std::string> rows;
  for (int r = 1; r <= 16; ++r) {
    std::string line;
    for (int c = 1; c <= 16; ++c) {
      const uint16_t v = s.TerrainGrid(r, c);
      line += v == from ? '.' : v == to ? '#' : 'o';
    }
    rows.push_back(line);
  }
  return rows;
}

// Cells of the map outside rows and columns 1..16 that do not hold `cls`.
int ChangedOutsideCorner(const GeneratorState& s, uint16_t cls) {
  int changed = 0;
  for (int r = 1; r <= s.MapSize(); ++r)
    for (int c = 1; c <= s.MapSize(); ++c)
      if ((r > 16 || c > 16) && s.TerrainGrid(r, c) != cls) ++changed;
  return changed;
}

// Size 6 from (3, 4) with seed 29, worked out apart from this program. The
// left end wanders to column 0 on row 7 (the cell there is simply skipped).
// The last row (9) has a remaining-rows count of -1 and shrinks from 3 to 2;
// a counter that wrapped would grow it to 4 and paint 43 cells instead of 39.
TEST(PaintArea, BlobFollowsTheDrawsRowByRow) {
  auto s = MapOf(32, kWater);
  s->random.Seed(29);
  EXPECT_EQ(PaintArea(*s, kWater, kLand, 3, 4, 6), 39);
  const std::vector<std::string> expected = {
      "................", "................", ".#####..........", ".########.......",
      ".########.......", ".######.........", "#####...........", ".####...........",
      "...###..........", "................", "................", "................",
      "................", "................", "................", "................",
  };
  EXPECT_EQ(Corner(*s, kWater, kLand), expected);
  EXPECT_EQ(ChangedOutsideCorner(*s, kWater), 0);
  EXPECT_EQ(s->random.draws, 14u);  // 7 rows, 2 draws each
}

// The same draws over sand with one open-water cell at (5, 5): the grass may
// not touch it, so its eight neighbours stay sand while the rest of the blob
// is painted (cells painted earlier in the call count as grass for later ones).
TEST(PaintArea, SandToGrassKeepsAwayFromAThirdClass) {
  auto s = MapOf(32, kCoast);
  s->TerrainGrid(5, 5) = kOpenWater;
  s->random.Seed(29);
  EXPECT_EQ(PaintArea(*s, kCoast, kGrass, 3, 4, 6), 30);
  const std::vector<std::string> expected = {
      "................", "................", ".#####..........", ".##...###.......",
      ".##.o.###.......", ".##...#.........", "#####...........", ".####...........",
      "...###..........", "................", "................", "................",
      "................", "................", "................", "................",
  };
  EXPECT_EQ(Corner(*s, kCoast, kGrass), expected);
  EXPECT_EQ(s->random.seed, 807791583u);
}

// A boundary tile (a mixed coast tile) works the same way for grass to forest.
TEST(PaintArea, NothingIsPaintedNextToABoundaryTile) {
  for (uint16_t from : {uint16_t{kCoast}, uint16_t{kGrass}}) {
    const uint16_t to = from == kCoast ? kGrass : kForest;
    auto s = MapOf(32, from);
    s->TerrainGrid(12, 12) = 608;
    s->TerrainGrid(20, 5) = 1376;
    s->random.Seed(7);
    for (int i = 0; i < 40; ++i) {
      const int32_t row = s->random.RandInt(40) - 4;
      const int32_t column = s->random.RandInt(40) - 4;
      PaintArea(*s, from, to, row, column, 12);
    }
    for (auto [tr, tc] : {std::pair{12, 12}, std::pair{20, 5}}) {
      for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
          if (dr == 0 && dc == 0) continue;
          EXPECT_EQ(s->TerrainGrid(tr + dr, tc + dc), from) << tr + dr << "," << tc + dc;
        }
      }
    }
    // Every painted cell sees only the two classes around it.
    int painted = 0;
    for (int r = 1; r <= 32; ++r)
      for (int c = 1; c <= 32; ++c) {
        if (s->TerrainGrid(r, c) != to) continue;
        ++painted;
        for (int dr = -1; dr <= 1; ++dr) {
          for (int dc = -1; dc <= 1; ++dc) {
            if (!InsideMap(32, r + dr, c + dc)) continue;
            const uint16_t v = s->TerrainGrid(r + dr, c + dc);
            EXPECT_TRUE(v == from || v == to) << r << "," << c;
          }
        }
      }
    EXPECT_GT(painted, 100);
  }
}

// Water to land has no neighbour rule: it paints right up to open water.
TEST(PaintArea, OtherClassesArePaintedWithoutNeighbourTest) {
  auto s = MapOf(32, kWater);
  s->TerrainGrid(5, 5) = kOpenWater;
  s->random.Seed(29);
  EXPECT_EQ(PaintArea(*s, kWater, kLand, 3, 4, 6), 38);  // the blob of seed 29 less the one open-water cell
  EXPECT_EQ(s->TerrainGrid(5, 4), kLand);
  EXPECT_EQ(s->TerrainGrid(5, 5), kOpenWater);
}

// Neighbours beyond the map edge pass, whatever the grid holds out there.
TEST(PaintArea, TheMapEdgeCountsAsNoThirdClass) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = 32;
  for (uint16_t& v : s->TerrainGrid.cells) v = 999;
  s->TerrainGrid.Fill(32, kCoast);
  s->random.Seed(1);
  EXPECT_EQ(PaintArea(*s, kCoast, kGrass, -1, -2, 9), 23);
  const std::vector<std::string> expected = {
      "###.............", "#####...........", "######..........", "..#####.........", "..####..........",
  };
  std::vector<std::string> top = Corner(*s, kCoast, kGrass);
  top.resize(5);
  EXPECT_EQ(top, expected);
  EXPECT_EQ(s->random.draws, 20u);
}

// Sizes 0, 1 and 2 shrink before they paint; size 0 draws as size 1: two rows.
TEST(PaintArea, SizeZeroIsSizeOne) {
  for (uint32_t seed : {1u, 29u, 4242u}) {
    auto a = MapOf(32, kWater);
    auto b = MapOf(32, kWater);
    a->random.Seed(seed);
    b->random.Seed(seed);
    EXPECT_EQ(PaintArea(*a, kWater, kLand, 10, 10, 0), 0);
    EXPECT_EQ(PaintArea(*b, kWater, kLand, 10, 10, 1), 0);
    EXPECT_EQ(a->random.draws, 4u);
    EXPECT_EQ(a->random.seed, b->random.seed);
  }
}

struct DrawCase {
  int32_t row;
  int32_t column;
  uint16_t size;
  uint64_t draws;
};

class PaintAreaDraws : public testing::TestWithParam<DrawCase> {};

// Two draws per row, size + 1 rows, inside the map or not, painting or not.
TEST_P(PaintAreaDraws, TwoPerRow) {
  const DrawCase& t = GetParam();
  auto s = MapOf(32, kWater);
  s->random.Seed(99);
  PaintArea(*s, kWater, kLand, t.row, t.column, t.size);
  EXPECT_EQ(s->random.draws, t.draws);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaintAreaDraws,
                         testing::Values(DrawCase{5, 5, 0, 4}, DrawCase{5, 5, 1, 4}, DrawCase{5, 5, 2, 6},
                                         DrawCase{5, 5, 10, 22}, DrawCase{20, 20, 60, 122}, DrawCase{-40, -40, 10, 22},
                                         DrawCase{1000, 1000, 3, 8}, DrawCase{INT32_MAX - 2, INT32_MIN, 300, 602},
                                         DrawCase{INT32_MIN, INT32_MAX, 65535, 131072}));

TEST(PaintArea, FarOutsideTheMapPaintsNothingAndCounts) {
  auto s = MapOf(64, kWater);
  s->TerrainGrid(3, 3) = kLand;
  s->TerrainGrid(64, 64) = kLand;
  s->TerrainGrid(100, 100) = kLand;  // beyond the map: not counted
  s->random.Seed(5);
  EXPECT_EQ(PaintArea(*s, kWater, kLand, -40, -40, 10), 2);
  EXPECT_EQ(PaintArea(*s, kWater, kLand, 70, 10, 50), 2);
  EXPECT_EQ(PaintArea(*s, kWater, kLand, 10, 300, 50), 2);  // wanders at most 2 columns a row
  int land = 0;
  for (uint16_t v : s->TerrainGrid.cells) land += v == kLand;
  EXPECT_EQ(land, 3);
}

// Big blobs all around a 32 map over a grid that is paintable everywhere:
// the 128 x 128 grid beyond row and column 32 must stay as it was.
TEST(PaintArea, NeverWritesOutsideTheMap) {
  for (uint16_t from : {uint16_t{kWater}, uint16_t{kCoast}}) {
    auto s = MakeGeneratorState();
    s->settings.MapSize = 32;
    for (uint16_t& v : s->TerrainGrid.cells) v = from;
    s->random.Seed(2024);
    uint16_t last = 0;
    for (int i = 0; i < 200; ++i) {
      const int32_t row = s->random.RandInt(90) - 45;
      const int32_t column = s->random.RandInt(90) - 20;
      const auto size = static_cast<uint16_t>(s->random.RandInt(60) + 20);
      last = PaintArea(*s, from, 7, row, column, size);
    }
    int inside = 0, outside = 0;
    for (int r = 1; r <= kMaxMapSize; ++r)
      for (int c = 1; c <= kMaxMapSize; ++c) {
        if (s->TerrainGrid(r, c) != 7) continue;
        (InsideMap(32, r, c) ? inside : outside)++;
      }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(inside, last);
    EXPECT_GT(inside, 900);  // the map was painted up to its edges
    for (int k = 1; k <= 32; ++k) {
      EXPECT_EQ(s->TerrainGrid(k, 32), 7) << k;
      EXPECT_EQ(s->TerrainGrid(32, k), 7) << k;
    }
  }
}

// A filling loop's painter gives PaintArea's count without recounting: on
// twin maps it matches PaintArea blob for blob, with cells of `to` there
// before the first blob, a third class its neighbour rules keep away from, a
// class painted over itself (nothing turns), and a change made behind its
// back that it is told of; long enough runs of blobs on both sides of the
// change that it paints from its map of the neighbour rules.
TEST(BlobPainter, CountsAsPaintAreaDoes) {
  const std::pair<uint16_t, uint16_t> fills[] = {{kWater, kLand}, {kCoast, kGrass}, {kGrass, kForest}, {kLand, kLand}};
  for (auto [from, to] : fills) {
    auto a = MapOf(64, from);
    auto b = MapOf(64, from);
    for (auto* s : {a.get(), b.get()}) {
      s->random.Seed(77);
      for (int k = 1; k <= 64; k += 5) s->TerrainGrid(k, 65 - k) = to;
      for (int k = 2; k <= 64; k += 3) s->TerrainGrid(k, k * 7 % 64 + 1) = kOpenWater;  // a third class
      s->TerrainGrid(100, 100) = to;                                                    // beyond the map: never counted
    }
    BlobPainter painter(*b, from, to);
    for (int blob = 0; blob < 600; ++blob) {
      if (blob == 300)
        for (auto* s : {a.get(), b.get()}) {
          for (int c = 1; c <= 64; ++c) s->TerrainGrid(40, c) = to == kLand ? uint16_t{kWater} : to;
          s->TerrainGrid(41, 7) = from;
        }
      if (blob == 300) painter.GridChanged();
      const int32_t row = a->random.RandInt(100) - 20, column = a->random.RandInt(100) - 20;
      b->random.RandInt(100), b->random.RandInt(100);
      const auto size = static_cast<uint16_t>(blob % 13);
      ASSERT_EQ(painter.Paint(row, column, size), PaintArea(*a, from, to, row, column, size))
          << from << " -> " << to << " blob " << blob;
    }
    EXPECT_EQ(a->random.seed, b->random.seed);
    EXPECT_TRUE(std::equal(std::begin(a->TerrainGrid.cells), std::end(a->TerrainGrid.cells), b->TerrainGrid.cells));
  }
}

// The mountain loop's painter is told how many cells each range raised
// instead of counting the map again: on twin maps, one painted by PaintArea
// with the mountains counted after every range, it gives the same counts and
// grids through a long loop of blobs and ranges, on sand with water and grass
// in it, the map of the neighbour rules in use between the ranges.
TEST(BlobPainter, CountsTheCellsARangeRaisedBesideIt) {
  for (int side : {32, 64, 128}) {
    auto a = MapOf(side, kCoast);
    auto b = MapOf(side, kCoast);
    for (auto* s : {a.get(), b.get()}) {
      s->random.Seed(static_cast<uint32_t>(side));
      for (int k = 1; k <= side; k += 4) s->TerrainGrid(k, (k * 5) % side + 1) = k % 8 == 1 ? kOpenWater : kGrass;
    }
    auto mountainsOf = [side](const GeneratorState& s) {
      int32_t n = 0;
      for (int r = 1; r <= side; ++r)
        for (int c = 1; c <= side; ++c) n += s.TerrainGrid(r, c) == kMountain;
      return n;
    };
    BlobPainter painter(*b, kCoast, kMountain);
    int ranges = 0;
    for (int step = 0; step < 400; ++step) {
      int32_t expected = 0, counted = 0;
      if (step % 90 == 89) {
        RaiseMountainRange(*a, 0);
        expected = mountainsOf(*a);
        const int32_t before = painter.Count();
        counted = RaiseMountainRange(*b, before);
        painter.Turned(counted - before);
        ++ranges;
      } else {
        const int32_t row = a->random.RandInt(side) + 1, column = a->random.RandInt(side) + 1;
        b->random.RandInt(side), b->random.RandInt(side);
        const auto size = static_cast<uint16_t>(step % 5 + 1);
        expected = PaintArea(*a, kCoast, kMountain, row, column, size);
        counted = painter.Paint(row, column, size);
      }
      ASSERT_EQ(counted, expected) << "side " << side << " step " << step;
    }
    EXPECT_EQ(ranges, 4);
    EXPECT_EQ(a->random.seed, b->random.seed);
    EXPECT_TRUE(std::equal(std::begin(a->TerrainGrid.cells), std::end(a->TerrainGrid.cells), b->TerrainGrid.cells));
    EXPECT_GT(mountainsOf(*b), side * side / 20);
  }
}

struct InteriorCase {
  const char* name;
  int side;
  std::vector<std::pair<int, int>> others;  // cells set to another class
  int32_t expected;
};

class CountInteriorCases : public testing::TestWithParam<InteriorCase> {};

TEST_P(CountInteriorCases, CountsCellsWithEightMatchingNeighbours) {
  const InteriorCase& t = GetParam();
  auto s = MakeGeneratorState();
  s->settings.MapSize = t.side;
  for (uint16_t& v : s->TerrainGrid.cells) v = 999;  // beyond the map: never looked at
  s->TerrainGrid.Fill(t.side, kCoast);
  for (auto [r, c] : t.others) s->TerrainGrid(r, c) = kGrass;
  EXPECT_EQ(CountInterior(*s, kCoast), t.expected);
}

INSTANTIATE_TEST_SUITE_P(Maps, CountInteriorCases,
                         testing::Values(InteriorCase{"All32", 32, {}, 1024}, InteriorCase{"All128", 128, {}, 16384},
                                         // The cell itself is not tested: its 8 neighbours drop out.
                                         InteriorCase{"OneInTheMiddle", 32, {{10, 10}}, 1024 - 8},
                                         InteriorCase{"OneInTheCorner", 32, {{1, 1}}, 1024 - 3},
                                         InteriorCase{"OneOnTheEdge", 32, {{1, 10}}, 1024 - 5},
                                         InteriorCase{"TwoSideBySide", 32, {{10, 10}, {10, 11}}, 1024 - 12}),
                         [](const testing::TestParamInfo<InteriorCase>& info) { return info.param.name; });

TEST(CountInterior, OtherClassHasNoInteriorOnAllSand) {
  auto s = MapOf(32, kCoast);
  EXPECT_EQ(CountInterior(*s, kGrass), 0);
}

}  // namespace
}  // namespace glenmire
