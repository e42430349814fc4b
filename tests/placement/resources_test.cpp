#include "placement/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/unit_types.h"
#include "map_builder.h"
#include "placement/unit_list.h"

namespace glenmire {
namespace {

using testing::KeepOnly;
using testing::kGrassTile;
using testing::kSandTile;
using testing::kWaterTile;
using testing::MakeMap;
using testing::Paint;
using testing::PlaceResources;
using testing::Records;

struct MineSite {
  int row, column;
};

// Top-left corners of every 3x3 block marked as a gold mine, in reading order.
std::vector<MineSite> MineSites(const GeneratorState& s) {
  std::vector<MineSite> sites;
  for (int r = 1; r <= s.MapSize(); ++r)
    for (int c = 1; c <= s.MapSize(); ++c)
      if (s.OccupancyGrid(r, c) == kGoldMine && (r == 1 || s.OccupancyGrid(r - 1, c) != kGoldMine) &&
          (c == 1 || s.OccupancyGrid(r, c - 1) != kGoldMine))
        sites.push_back(MineSite{r, c});
  return sites;
}

void SetControllers(GeneratorState& s, std::initializer_list<uint8_t> controllers) {
  std::fill(std::begin(s.settings.PlayerController), std::end(s.settings.PlayerController), kControllerNobody);
  int i = 0;
  for (uint8_t c : controllers) s.settings.PlayerController[i++] = c;
}

TEST(GoldPhase, ActivePlayersBeyondTheMineCountGetReservedSites) {
  struct Row {
    int8_t goldMines;
    std::initializer_list<uint8_t> controllers;
    int records, sites;
  };
  const Row rows[] = {
      {2, {kControllerHuman, kControllerComputer, kControllerComputer, kControllerHuman}, 2, 4},
      {3, {kControllerHuman, kControllerComputer}, 3, 3},
      {1, {kControllerHuman, kControllerRescuePassive, kControllerRescueActive, kControllerComputer}, 1, 2},
      {-56, {kControllerHuman, kControllerComputer}, 0, 2},  // 200 read as a signed byte
      {0, {}, 0, 0},
  };
  for (const Row& row : rows) {
    auto s = MakeMap(64, kGrassTile, 21);
    s->settings.GoldMines = row.goldMines;
    s->settings.GoldAmount = 100;
    SetControllers(*s, row.controllers);
    CellPool& pool = s->placement.pool;
    pool.PoolInit(64);
    PlaceGoldMines(*s, s->placement, kGrassTile);
    const auto units = Records(*s);
    EXPECT_EQ(static_cast<int>(units.size()), row.records) << int(row.goldMines);
    for (const auto& unit : units) {
      EXPECT_EQ(unit.type, kGoldMine);
      EXPECT_EQ(unit.owner, kNeutralOwner);
      EXPECT_EQ(unit.data, 100);
    }
    EXPECT_EQ(static_cast<int>(MineSites(*s).size()), row.sites) << int(row.goldMines);
    EXPECT_EQ(s->placement.MinesPlaced, row.sites);
    if (row.sites == 0) {
      EXPECT_EQ(s->random.draws, 0u);
    }
  }
}

TEST(GoldPhase, MinesKeepTheirSpacingAndStayInsideTheBand) {
  struct Row {
    int mapSize;
    int8_t goldMines;
    int spacing;
  };
  const Row rows[] = {{64, 4, 16}, {128, 4, 32}, {32, 2, 32}, {128, 16, 8}, {64, 8, 8}};
  for (const Row& row : rows)
    for (uint32_t seed : {3u, 4u}) {
      auto s = MakeMap(row.mapSize, kGrassTile, seed);
      s->settings.GoldMines = row.goldMines;
      SetControllers(*s, {});
      CellPool& pool = s->placement.pool;
      pool.PoolInit(row.mapSize);
      PlaceGoldMines(*s, s->placement, kGrassTile);
      // Records are in placing order: each mine's corner is farther than the
      // spacing from every cell of the mines before it.
      const auto units = Records(*s);
      ASSERT_GE(units.size(), 1u);
      for (std::size_t j = 0; j < units.size(); ++j) {
        EXPECT_GE(units[j].row, 4);
        EXPECT_LE(units[j].row, row.mapSize - 4);
        EXPECT_GE(units[j].column, 4);
        EXPECT_LE(units[j].column, row.mapSize - 4);
        for (std::size_t i = 0; i < j; ++i) {
          const int dr = std::max({units[i].row - units[j].row, units[j].row - units[i].row - 2, 0});
          const int dc = std::max({units[i].column - units[j].column, units[j].column - units[i].column - 2, 0});
          EXPECT_GT(std::max(dr, dc), row.spacing) << row.mapSize << " mines " << int(row.goldMines);
        }
      }
    }
}

// The spacing test sees every gold mark on the map: marks there before the
// phase (but none beyond the map's edge, nor marks of other kinds) and the
// reserved sites placed before, not only the mines.
TEST(GoldPhase, SpacingCountsEveryGoldMarkOnTheMap) {
  auto s = MakeMap(64, kGrassTile, 5);
  s->settings.GoldMines = 4;  // spacing 16
  SetControllers(*s, {});
  s->OccupancyGrid(20, 20) = kGoldMine;    // keeps (10, 10) free of mines
  s->OccupancyGrid(65, 50) = kGoldMine;    // beyond the map: within 16 of (50, 50) but not seen
  s->OccupancyGrid(52, 40) = kHumanStart;  // another kind of mark
  CellPool& pool = s->placement.pool;
  KeepOnly(pool, 64, {{10, 10}, {50, 50}, {1, 1}, {2, 2}, {3, 3}});
  PlaceGoldMines(*s, s->placement, kGrassTile);
  const auto units = Records(*s);
  ASSERT_EQ(units.size(), 1u);
  EXPECT_EQ(units[0].row, 50);
  EXPECT_EQ(units[0].column, 50);

  // One mine and three reserved sites on a map with room for about two sites
  // a row: every site keeps its spacing from all those before it.
  for (uint32_t seed : {1u, 2u, 3u}) {
    auto m = MakeMap(64, kGrassTile, seed);
    m->settings.GoldMines = 1;
    SetControllers(*m, {kControllerHuman, kControllerComputer, kControllerComputer, kControllerHuman});
    m->placement.pool.PoolInit(64);
    PlaceGoldMines(*m, m->placement, kGrassTile);
    const auto sites = MineSites(*m);
    ASSERT_GE(sites.size(), 3u) << seed;
    for (std::size_t j = 0; j < sites.size(); ++j)
      for (std::size_t i = 0; i < j; ++i)
        EXPECT_GT(std::max(std::abs(sites[i].row - sites[j].row), std::abs(sites[i].column - sites[j].column)), 16)
            << seed;
  }
}

TEST(GoldPhase, MinesNeedTheirExactGroundTile) {
  struct Row {
    uint16_t fill;
    bool buildOnSand, reverse, placed;
  };
  const Row rows[] = {{kGrassTile, false, false, true}, {kGrassTile + 1, false, false, false},
                      {kSandTile, false, false, false}, {kSandTile, true, false, true},
                      {kGrassTile, true, false, false}, {kWaterTile, false, true, true},
                      {kGrassTile, false, true, false}};
  for (const Row& row : rows) {
    auto s = MakeMap(32, row.fill, 8);
    s->settings.GoldMines = 1;
    s->settings.BuildOnSand = row.buildOnSand;
    s->settings.ReverseLandAndWaterProperties = row.reverse;
    SetControllers(*s, {kControllerHuman});
    PlaceResources(*s);
    EXPECT_EQ(MineSites(*s).size(), row.placed ? 1u : 0u) << std::hex << row.fill;
  }
}

TEST(GoldPhase, DrawsOnlyWhileTheMineCanStillBePlaced) {
  auto s = MakeMap(64, kGrassTile, 8);
  s->settings.GoldMines = 2;
  SetControllers(*s, {});
  CellPool& pool = s->placement.pool;
  // Three cells left: no draw at all.
  KeepOnly(pool, 64, {{10, 10}, {20, 20}, {30, 30}});
  PlaceGoldMines(*s, s->placement, kGrassTile);
  EXPECT_EQ(s->random.draws, 0u);
  // Five cells outside the band are drawn and dropped, then the pool is spent.
  KeepOnly(pool, 64, {{1, 10}, {2, 20}, {3, 30}, {62, 5}, {10, 61}});
  PlaceGoldMines(*s, s->placement, kGrassTile);
  EXPECT_EQ(s->random.draws, 5u);
  EXPECT_EQ(pool.PoolCount(), 0);
  EXPECT_EQ(s->UnitListLength, 0);
}

TEST(OilPhase, PatchesMoveOntoEvenRowsAndColumnsClearOfTheEdges) {
  struct Row {
    int mapSize, drawnRow, drawnColumn, row, column;
  };
  const Row rows[] = {{128, 127, 127, 124, 124}, {128, 127, 50, 124, 50}, {128, 3, 3, 4, 4},
                      {64, 1, 1, 2, 2},          {64, 64, 33, 60, 34},    {32, 28, 27, 28, 28}};
  for (const Row& row : rows) {
    auto s = MakeMap(row.mapSize, kWaterTile, 2);
    s->settings.OilPatches = 1;
    s->settings.OilAmount = 50;
    CellPool& pool = s->placement.pool;
    KeepOnly(pool, row.mapSize, {{row.drawnRow, row.drawnColumn}});
    PlaceOilPatches(*s, s->placement, kWaterTile);
    const auto units = Records(*s);
    ASSERT_EQ(units.size(), 1u) << row.drawnRow << "," << row.drawnColumn;
    EXPECT_EQ(units[0].row, row.row);
    EXPECT_EQ(units[0].column, row.column);
    EXPECT_EQ(units[0].type, kOilPatch);
    EXPECT_EQ(units[0].data, 50);
  }
}

TEST(OilPhase, APatchNeedsAFullBlockOfOpenWater) {
  // The patch at (20, 20) covers rows and columns 20..22; its ring reaches 19..23.
  struct Row {
    int shoreRow, shoreColumn;
    bool placed;
  };
  const Row rows[] = {{19, 19, false}, {23, 23, false}, {19, 23, false}, {21, 21, false},
                      {18, 20, true},  {20, 24, true},  {0, 0, true}};
  for (const Row& row : rows) {
    auto s = MakeMap(64, kWaterTile, 2);
    s->settings.OilPatches = 1;
    if (row.shoreRow > 0) s->TerrainGrid(row.shoreRow, row.shoreColumn) = 0x20;  // shore tile
    CellPool& pool = s->placement.pool;
    KeepOnly(pool, 64, {{20, 20}});
    PlaceOilPatches(*s, s->placement, kWaterTile);
    EXPECT_EQ(s->UnitListLength, row.placed ? 8 : 0) << row.shoreRow << "," << row.shoreColumn;
    EXPECT_EQ(s->random.draws, 1u);
  }
}

TEST(OilPhase, PatchesKeepTheirSpacingAndNegativeCountsPlaceNothing) {
  auto s = MakeMap(64, kWaterTile, 6);
  s->settings.OilPatches = 3;  // spacing max(64 / 6, 64 / 6) = 10
  CellPool& pool = s->placement.pool;
  pool.PoolInit(64);
  PlaceOilPatches(*s, s->placement, kWaterTile);
  const auto units = Records(*s);
  ASSERT_EQ(units.size(), 3u);
  for (std::size_t j = 0; j < units.size(); ++j)
    for (std::size_t i = 0; i < j; ++i) {
      const int dr = std::max({units[i].row - units[j].row, units[j].row - units[i].row - 2, 0});
      const int dc = std::max({units[i].column - units[j].column, units[j].column - units[i].column - 2, 0});
      EXPECT_GT(std::max(dr, dc), 10);
    }

  auto none = MakeMap(64, kWaterTile, 6);
  none->settings.OilPatches = -100;
  pool.PoolInit(64);
  PlaceOilPatches(*none, none->placement, kWaterTile);
  EXPECT_EQ(none->UnitListLength, 0);
  EXPECT_EQ(none->random.draws, 0u);
}

TEST(OilPhase, ReversePhysicsPutsPatchesOnGrass) {
  auto s = MakeMap(32, kGrassTile, 6);
  s->settings.OilPatches = 1;
  s->settings.ReverseLandAndWaterProperties = 1;
  SetControllers(*s, {});
  PlaceResources(*s);
  ASSERT_FALSE(Records(*s).empty());
  EXPECT_EQ(Records(*s)[0].type, kOilPatch);
}

TEST(PlaceResources, ClosesTheListAndCountsMinesOnlyOffStartIslands) {
  for (bool islands : {false, true}) {
    auto s = MakeMap(32, kGrassTile, 9);
    SetControllers(*s, {kControllerHuman});
    s->settings.GoldMines = 1;
    s->settings.Difficulty[0] = 1;
    s->StartIslandsMode = islands;
    s->StartCells[0] = CellPosition{5, 6};
    std::fill(std::begin(s->UnitList), std::begin(s->UnitList) + 100, uint8_t{0xEE});
    PlaceResources(*s);
    ASSERT_GT(s->UnitListLength, 0);
    for (int i = 0; i < kUnitListClosingBytes; ++i) EXPECT_EQ(s->UnitList[s->UnitListLength + i], 0);
    EXPECT_EQ(s->placement.MinesPlaced, islands ? 0 : 1);
  }
}

}  // namespace
}  // namespace glenmire
