#include "terrain/coastline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace glenmire {
namespace {

std::unique_ptr<GeneratorState> MapOf(int side, uint16_t cls) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = side;
  for (uint16_t& v : s->TerrainGrid.cells) v = 999;  // beyond the map: must stay as it is
  s->TerrainGrid.Fill(side, cls);
  return s;
}

int CellsHolding(const GeneratorState& s, uint16_t value) {
  int n = 0;
  for (int r = 1; r <= s.MapSize(); ++r)
    for (int c = 1; c <= s.MapSize(); ++c) n += s.TerrainGrid(r, c) == value;
  return n;
}

bool BeyondTheMapUntouched(const GeneratorState& s) {
  for (int r = 1; r <= kMaxMapSize; ++r)
    for (int c = 1; c <= kMaxMapSize; ++c)
      if (!InsideMap(s.MapSize(), r, c) && s.TerrainGrid(r, c) != 999) return false;
  return true;
}

// ---- The tile table, one row per set of touching corners ----

struct TableRow {
  bool nw, ne, sw, se;
  uint16_t coast, mountains, grass, forest;
};

// As the game's tile families have it.
constexpr TableRow kTable[] = {
    {false, false, false, false, 16, 48, 48, 80},       {false, false, false, true, 608, 1136, 1376, 1904},
    {false, false, true, false, 672, 1072, 1440, 1840}, {false, false, true, true, 545, 1200, 1312, 1968},
    {false, true, false, false, 704, 1040, 1472, 1808}, {false, true, false, true, 576, 1168, 1344, 1936},
    {false, true, true, false, 640, 1104, 1408, 1872},  {false, true, true, true, 512, 1232, 1280, 2000},
    {true, false, false, false, 720, 1024, 1488, 1792}, {true, false, false, true, 592, 1152, 1360, 1920},
    {true, false, true, false, 656, 1088, 1424, 1856},  {true, false, true, true, 528, 1216, 1296, 1984},
    {true, true, false, false, 688, 1056, 1456, 1824},  {true, true, false, true, 560, 1184, 1328, 1952},
    {true, true, true, false, 624, 1120, 1392, 1888},   {true, true, true, true, 48, 128, 80, 112},
};

struct Pass {
  const char* name;
  std::function<uint8_t(GeneratorState&)> run;
  uint16_t cell;       // the class the pass changes
  uint16_t neighbour;  // the class that counts
  uint16_t TableRow::*value;
};

const Pass kPasses[] = {
    {"ShapeCoastline", ShapeCoastline, kWater, kLand, &TableRow::coast},
    {"EdgeMountains", EdgeMountains, kCoast, kMountain, &TableRow::mountains},
    {"EdgeGrass", EdgeGrass, kCoast, kGrass, &TableRow::grass},
    {"EdgeForest", EdgeForest, kGrass, kForest, &TableRow::forest},
};

// Each touching corner is made by its diagonal neighbour alone, which touches
// no other corner; checked in the middle of the map and in its top-left and
// bottom-right corners, where the missing neighbours must not count.
TEST(BoundaryTiles, EveryCornerMaskOfEveryPass) {
  for (const Pass& pass : kPasses) {
    for (const TableRow& row : kTable) {
      for (auto [r, c] : {std::pair{10, 10}, std::pair{2, 2}, std::pair{31, 31}}) {
        auto s = MapOf(32, pass.cell);
        if (row.nw) s->TerrainGrid(r - 1, c - 1) = pass.neighbour;
        if (row.ne) s->TerrainGrid(r - 1, c + 1) = pass.neighbour;
        if (row.sw) s->TerrainGrid(r + 1, c - 1) = pass.neighbour;
        if (row.se) s->TerrainGrid(r + 1, c + 1) = pass.neighbour;
        pass.run(*s);
        EXPECT_EQ(s->TerrainGrid(r, c), row.*pass.value)
            << pass.name << " at " << r << "," << c << " corners " << row.nw << row.ne << row.sw << row.se;
        EXPECT_TRUE(BeyondTheMapUntouched(*s)) << pass.name;
      }
    }
  }
}

// Each straight neighbour touches two corners.
TEST(BoundaryTiles, StraightNeighboursTouchTwoCorners) {
  struct Case {
    int dr, dc;
    uint16_t coast, mountains, grass, forest;
  };
  const Case cases[] = {
      {-1, 0, 688, 1056, 1456, 1824},  // N: NW and NE
      {1, 0, 545, 1200, 1312, 1968},   // S: SW and SE
      {0, -1, 656, 1088, 1424, 1856},  // W: NW and SW
      {0, 1, 576, 1168, 1344, 1936},   // E: NE and SE
  };
  for (const Case& t : cases) {
    const uint16_t expected[] = {t.coast, t.mountains, t.grass, t.forest};
    for (int p = 0; p < 4; ++p) {
      auto s = MapOf(32, kPasses[p].cell);
      s->TerrainGrid(10 + t.dr, 10 + t.dc) = kPasses[p].neighbour;
      kPasses[p].run(*s);
      EXPECT_EQ(s->TerrainGrid(10, 10), expected[p]) << kPasses[p].name << " " << t.dr << "," << t.dc;
    }
  }
}

// ---- The coastline ----

TEST(ShapeCoastline, SingleLandCellInOpenWater) {
  auto s = MapOf(32, kWater);
  s->TerrainGrid(10, 10) = kLand;
  ShapeCoastline(*s);
  const uint16_t expected[3][3] = {{608, 545, 672}, {576, kCoast, 656}, {704, 688, 720}};
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc)
      EXPECT_EQ(s->TerrainGrid(10 + dr, 10 + dc), expected[dr + 1][dc + 1]) << dr << "," << dc;
  EXPECT_EQ(CellsHolding(*s, kOpenWater), 1024 - 9);
  EXPECT_TRUE(BeyondTheMapUntouched(*s));
}

// Land rows 10 and 12 with water between: every cell of row 11 touches land
// at all four corners, map edges included, and becomes coast.
TEST(ShapeCoastline, OneCellChannelBecomesCoast) {
  auto s = MapOf(32, kWater);
  for (int c = 1; c <= 32; ++c) {
    s->TerrainGrid(10, c) = kLand;
    s->TerrainGrid(12, c) = kLand;
  }
  ShapeCoastline(*s);
  for (int r = 10; r <= 12; ++r)
    for (int c = 1; c <= 32; ++c) EXPECT_EQ(s->TerrainGrid(r, c), kCoast) << r << "," << c;
  for (int c = 1; c <= 32; ++c) {
    EXPECT_EQ(s->TerrainGrid(9, c), 545) << c;   // coast to the south
    EXPECT_EQ(s->TerrainGrid(13, c), 688) << c;  // coast to the north
  }
}

// A water cell that turned into coast counts as land for the cells after it.
TEST(ShapeCoastline, WaterTurnedCoastCountsAsLandLater) {
  auto s = MapOf(32, kWater);
  s->TerrainGrid(10, 10) = kLand;
  s->TerrainGrid(12, 10) = kLand;  // (11, 10) lies between them
  ShapeCoastline(*s);
  EXPECT_EQ(s->TerrainGrid(11, 10), kCoast);
  EXPECT_EQ(s->TerrainGrid(11, 11), 656);  // land-coloured column to its west
  EXPECT_EQ(s->TerrainGrid(11, 9), 576);   // and to the east
}

struct EdgeCase {
  const char* name;
  std::vector<std::pair<int, int>> land;
  int row, column;
  uint16_t expected;
};

class CoastAtTheMapEdge : public testing::TestWithParam<EdgeCase> {};

// Missing neighbours never count as land: water on the edge gets a mixed tile.
TEST_P(CoastAtTheMapEdge, MissingNeighboursAreNotLand) {
  const EdgeCase& t = GetParam();
  auto s = MapOf(32, kWater);
  for (auto [r, c] : t.land) s->TerrainGrid(r, c) = kLand;
  ShapeCoastline(*s);
  EXPECT_EQ(s->TerrainGrid(t.row, t.column), t.expected);
  EXPECT_TRUE(BeyondTheMapUntouched(*s));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CoastAtTheMapEdge,
    testing::Values(EdgeCase{"TopLeftEastLand", {{1, 2}}, 1, 1, 576}, EdgeCase{"TopRowSouthLand", {{2, 5}}, 1, 5, 545},
                    EdgeCase{"LeftColumnEastLand", {{7, 2}}, 7, 1, 576},
                    EdgeCase{"TopLeftWrappedInLand", {{1, 2}, {2, 1}, {2, 2}}, 1, 1, 512},
                    EdgeCase{"BottomRightWrappedInLand", {{32, 31}, {31, 32}, {31, 31}}, 32, 32, 624},
                    EdgeCase{"RightColumnWestLand", {{9, 31}}, 9, 32, 656},
                    EdgeCase{"BottomRowNorthLand", {{31, 4}}, 32, 4, 688}),
    [](const testing::TestParamInfo<EdgeCase>& info) { return info.param.name; });

TEST(ShapeCoastline, AllWaterAndAllLand) {
  for (int side : {32, 128}) {
    auto water = MapOf(side, kWater);
    ShapeCoastline(*water);
    EXPECT_EQ(CellsHolding(*water, kOpenWater), side * side);
    EXPECT_TRUE(BeyondTheMapUntouched(*water));
    auto land = MapOf(side, kLand);
    ShapeCoastline(*land);
    EXPECT_EQ(CellsHolding(*land, kCoast), side * side);
    EXPECT_TRUE(BeyondTheMapUntouched(*land));
  }
}

// Everything but water is land to the coastline and becomes coast.
TEST(ShapeCoastline, NoWaterOrLandLeft) {
  auto s = MapOf(64, kWater);
  s->random.Seed(3);
  for (int i = 0; i < 1500; ++i) {
    const int r = s->random.RandInt(64) + 1;
    const int c = s->random.RandInt(64) + 1;
    s->TerrainGrid(r, c) = kLand;
  }
  ShapeCoastline(*s);
  EXPECT_EQ(CellsHolding(*s, kWater), 0);
  EXPECT_EQ(CellsHolding(*s, kLand), 0);
  for (int r = 1; r <= 64; ++r)
    for (int c = 1; c <= 64; ++c) {
      const uint16_t v = s->TerrainGrid(r, c);
      EXPECT_TRUE(v == kOpenWater || v == kCoast || (v >= 512 && v <= 720)) << v;
    }
  EXPECT_EQ(s->random.draws, 3000u);  // the pass itself draws nothing
}

// ---- The edge passes ----

// Sand between grass to its west and east touches grass at all four corners.
TEST(EdgeGrass, SandBetweenGrassBecomesGrass) {
  auto s = MapOf(32, kCoast);
  s->TerrainGrid(10, 9) = kGrass;
  s->TerrainGrid(10, 11) = kGrass;
  EdgeGrass(*s);
  EXPECT_EQ(s->TerrainGrid(10, 10), kGrass);
  EXPECT_EQ(s->TerrainGrid(9, 10), 1312);   // grass SW and SE of it: corners SW and SE
  EXPECT_EQ(s->TerrainGrid(11, 10), 1456);  // grass NW, N (turned) and NE: corners NW and NE
}

// Cells of other classes are left alone by every edge pass.
TEST(EdgePasses, OnlyTheirOwnClassChanges) {
  const uint16_t others[] = {kOpenWater, 545, 1136, 1376, 1904, kForest};
  for (int p = 1; p < 4; ++p) {
    auto s = MapOf(32, kPasses[p].cell);
    for (int i = 0; i < 6; ++i) s->TerrainGrid(5, 3 + 3 * i) = others[i];
    s->TerrainGrid(6, 3) = kPasses[p].neighbour;
    if (kPasses[p].cell != kGrass) s->TerrainGrid(20, 20) = kGrass;  // grass is another class here
    kPasses[p].run(*s);
    for (int i = 0; i < 6; ++i) {
      if (others[i] == kPasses[p].neighbour) continue;
      EXPECT_EQ(s->TerrainGrid(5, 3 + 3 * i), others[i]) << kPasses[p].name;
    }
    EXPECT_EQ(s->TerrainGrid(6, 3), kPasses[p].neighbour);
    EXPECT_TRUE(BeyondTheMapUntouched(*s));
  }
}

TEST(EdgePasses, NoNeighbourClassLeavesTheMapAsItIs) {
  for (int p = 1; p < 4; ++p) {
    auto s = MapOf(96, kPasses[p].cell);
    kPasses[p].run(*s);
    EXPECT_EQ(CellsHolding(*s, kPasses[p].cell), 96 * 96) << kPasses[p].name;
  }
}

// A mountain range crossing the map: the sand on both sides takes the
// mountain edge tiles, the sand at the map edge included.
TEST(EdgeMountains, RangeAcrossTheMap) {
  auto s = MapOf(32, kCoast);
  for (int c = 1; c <= 32; ++c) s->TerrainGrid(16, c) = kMountain;
  EdgeMountains(*s);
  for (int c = 1; c <= 32; ++c) {
    EXPECT_EQ(s->TerrainGrid(15, c), 1200) << c;  // mountains SW and SE
    EXPECT_EQ(s->TerrainGrid(17, c), 1056) << c;  // mountains NW and NE
  }
  EXPECT_EQ(CellsHolding(*s, kCoast), 32 * 29);
}

// Forest on a grass island: grass squeezed between two forest cells turns to forest.
TEST(EdgeForest, GrassBetweenForestNorthAndSouth) {
  auto s = MapOf(32, kGrass);
  s->TerrainGrid(4, 4) = kForest;
  s->TerrainGrid(6, 4) = kForest;
  EdgeForest(*s);
  EXPECT_EQ(s->TerrainGrid(5, 4), kForest);
  EXPECT_EQ(s->TerrainGrid(5, 3), 1936);  // forest to its east: NE and SE
  EXPECT_EQ(s->TerrainGrid(5, 5), 1856);  // forest to its west: NW and SW
  EXPECT_EQ(s->TerrainGrid(3, 4), 1968);  // forest to its south: SW and SE
}

// ---- The row-at-a-time passes against the cell-by-cell rule ----

// The passes as first written: cell by cell in reading order, in place, each
// neighbour tested against the map edge.
void CellByCell(GeneratorState& s, uint16_t cellClass, bool coastline, const std::function<bool(uint16_t)>& touches,
                const uint16_t (&tiles)[16]) {
  const int side = s.MapSize();
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      uint16_t& cell = s.TerrainGrid(r, c);
      if (cell != cellClass) {
        if (coastline) cell = kCoast;
        continue;
      }
      auto at = [&](int dr, int dc) {
        return InsideMap(side, r + dr, c + dc) && touches(s.TerrainGrid(r + dr, c + dc));
      };
      const bool n = at(-1, 0), so = at(1, 0), w = at(0, -1), e = at(0, 1);
      const int mask = ((n || w || at(-1, -1)) ? 1 : 0) | ((n || e || at(-1, 1)) ? 2 : 0) |
                       ((so || w || at(1, -1)) ? 4 : 0) | ((so || e || at(1, 1)) ? 8 : 0);
      cell = tiles[mask];
    }
}

// Random maps of every kind of cell the passes meet, sparse to dense, on
// sides where a row's bits cross a word, fill it or end short of it.
TEST(BoundaryTiles, RowPassesMatchTheCellByCellRule) {
  for (int p = 0; p < 4; ++p) {
    const Pass& pass = kPasses[p];
    uint16_t tiles[16];
    for (int mask = 0; mask < 16; ++mask) {
      const TableRow& row = *std::find_if(std::begin(kTable), std::end(kTable), [mask](const TableRow& t) {
        return (t.nw ? 1 : 0) + (t.ne ? 2 : 0) + (t.sw ? 4 : 0) + (t.se ? 8 : 0) == mask;
      });
      tiles[mask] = row.*pass.value;
    }
    const bool coastline = p == 0;
    auto touches = [&](uint16_t v) { return coastline ? v == kLand || v == kCoast : v == pass.neighbour; };
    const uint16_t kinds[] = {pass.cell, pass.neighbour, kCoast, kGrass, kOpenWater, 545, 1136};
    for (int side : {1, 2, 3, 11, 63, 64, 65, 100, 127, 128}) {
      for (int density : {10, 50, 85, 97}) {
        auto fast = MapOf(side, pass.cell);
        auto plain = MapOf(side, pass.cell);
        Random place{static_cast<uint32_t>(side * 1000 + density * 10 + p), 0};
        for (int r = 1; r <= side; ++r)
          for (int c = 1; c <= side; ++c) {
            // Mostly the neighbour class at the density, now and then any other kind of cell.
            uint16_t v = place.RandInt(100) < density ? pass.neighbour : pass.cell;
            if (place.RandInt(10) == 0) v = kinds[place.RandInt(7)];
            fast->TerrainGrid(r, c) = plain->TerrainGrid(r, c) = v;
          }
        pass.run(*fast);
        CellByCell(*plain, pass.cell, coastline, touches, tiles);
        ASSERT_TRUE(std::equal(fast->TerrainGrid.cells, fast->TerrainGrid.cells + kGridCells, plain->TerrainGrid.cells))
            << pass.name << " side " << side << " density " << density;
      }
    }
  }
}

}  // namespace
}  // namespace glenmire
