#include "placement/site_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/unit_types.h"
#include "map_builder.h"
#include "placement/region_map.h"
#include "placement/unit_list.h"
#include "support/allocation_count.h"

namespace glenmire {
namespace {

using testing::AllocationCount;
using testing::kGrassTile;
using testing::kWaterTile;
using testing::MakeMap;
using testing::Paint;
using testing::Records;

// Where the walk starts: the search draws the row shift, then the column shift.
std::pair<int, int> ShiftedStart(Random random, int row0, int column0) {
  int d = random.RandInt(5);
  const int row = random.RandInt(100) > 50 ? row0 + d : row0 - d;
  d = random.RandInt(5);
  const int column = random.RandInt(100) > 50 ? column0 + d : column0 - d;
  return {row, column};
}

// The first candidates far from the band edges, as offsets from the shifted start.
const std::vector<std::pair<int, int>> kSpiral = {{0, -1},  {1, -1}, {1, 0},  {0, 0},  {-1, 0}, {-1, -1},
                                                  {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {2, -1}, {2, 0},
                                                  {2, 1},   {1, 1},  {0, 1},  {-1, 1}, {-2, 1}, {-2, 0}};

TEST(PlaceNear, CandidatesFollowTheSpiralFromTheShiftedStart) {
  // Only the k-th spiral cell and the ones after it are grass: the k-th must be taken.
  for (uint32_t seed : {1u, 7u, 99u})
    for (std::size_t k = 0; k < kSpiral.size(); ++k) {
      auto s = MakeMap(64, kWaterTile, seed);
      const auto [startRow, startColumn] = ShiftedStart(s->random, 32, 30);
      for (std::size_t j = k; j < kSpiral.size(); ++j)
        s->TerrainGrid(startRow + kSpiral[j].first, startColumn + kSpiral[j].second) = kGrassTile;
      ASSERT_TRUE(PlaceNear(*s, s->placement, 32, 30, 1, kCritter, 2)) << "seed " << seed << " candidate " << k;
      const auto units = Records(*s);
      ASSERT_EQ(units.size(), 1u);
      EXPECT_EQ(units[0].row, startRow + kSpiral[k].first) << "seed " << seed << " candidate " << k;
      EXPECT_EQ(units[0].column, startColumn + kSpiral[k].second) << "seed " << seed << " candidate " << k;
      EXPECT_EQ(units[0].owner, 1);
      EXPECT_EQ(s->random.draws, 4u);
    }
}

// The spiral walk step by step, as the search has always walked it: turn
// left onto a new cell, else take the turn back and stay; mark where it
// stands; end on a move out of the window, beyond a quarter side from the
// target or after 16 x side x side steps. Returns the cells it may take, in
// order: reached from inside the band, odd where asked.
std::vector<std::pair<int, int>> WalkedCells(int mapSize, int row0, int column0, int r, int c, int size, bool odd) {
  constexpr int kRowStep[4] = {0, 1, 0, -1}, kColumnStep[4] = {-1, 0, 1, 0};
  const int half = std::max(mapSize / 4, 4) + 2, side = 2 * half + 1;
  std::vector<bool> visited(static_cast<std::size_t>(side * side));
  auto covers = [&](int rr, int cc) { return std::abs(rr - row0) <= half && std::abs(cc - column0) <= half; };
  auto at = [&](int rr, int cc) { return static_cast<std::size_t>((rr - row0 + half) * side + cc - column0 + half); };
  std::vector<std::pair<int, int>> cells;
  int heading = 3, fallback = 3, blocked = 0;
  bool turn = true;
  for (int64_t step = 0; step < 16 * int64_t{mapSize} * mapSize; ++step) {
    if (turn) fallback = (heading + 3) % 4, heading = (heading + 1) % 4;
    const int low = heading == 0 ? size + 1 : size, high = heading == 0 ? mapSize - size - 1 : mapSize - size;
    const bool inBand = r >= low && r <= high && c >= low && c <= high;
    const int nr = r + kRowStep[heading], nc = c + kColumnStep[heading];
    if (!covers(nr, nc)) break;
    bool candidate = false;
    if (!visited[at(nr, nc)]) {
      r = nr, c = nc, candidate = inBand, blocked = 0;
    } else if (heading = fallback; ++blocked >= 4) {
      break;
    }
    turn = true;
    visited[at(r, c)] = true;
    if (4 * std::abs(r - row0) > mapSize || 4 * std::abs(c - column0) > mapSize) break;
    if (candidate && (!odd || (r % 2 != 0 && c % 2 != 0))) cells.emplace_back(r, c);
  }
  return cells;
}

// Side by side with the step-by-step walk on open maps of many sides, tiny
// ones among them where the step limit ends the walk: critters, then ships
// of several sizes, are placed near one target until no room is left; each
// goes on the first cell of the walk whose square is on the map and free.
TEST(PlaceNear, TakesTheCellsOfTheStepByStepWalk) {
  struct Unit {
    uint8_t type, size;
    uint16_t ground;
  };
  const Unit units[] = {
      {kCritter, 1, kGrassTile}, {kElvenDestroyer, 2, kWaterTile}, {kGnomishSubmarine, 3, kWaterTile}};
  for (int mapSize : {1, 2, 3, 4, 5, 7, 9, 16, 23, 32, 128})
    for (const Unit& unit : units)
      for (auto [row, column] :
           {std::pair{1, 1}, std::pair{mapSize / 2, mapSize / 3}, std::pair{mapSize, mapSize - 1}}) {
        auto s = MakeMap(mapSize, unit.ground, static_cast<uint32_t>(mapSize * 31 + row));
        std::vector<std::vector<bool>> taken(mapSize + 1, std::vector<bool>(mapSize + 1));
        for (int placed = 0; placed < 150; ++placed) {
          const int row0 = std::min(std::max(row, int{unit.size}), mapSize - unit.size);
          const int column0 = std::min(std::max(column, int{unit.size}), mapSize - unit.size);
          const auto [startRow, startColumn] = ShiftedStart(s->random, row0, column0);
          std::optional<std::pair<int, int>> expected;
          for (auto [r, c] : WalkedCells(mapSize, row0, column0, startRow, startColumn, unit.size, unit.size > 1)) {
            bool fits = r >= 1 && c >= 1 && r + unit.size - 1 <= mapSize && c + unit.size - 1 <= mapSize;
            for (int dr = 0; fits && dr < unit.size; ++dr)
              for (int dc = 0; fits && dc < unit.size; ++dc) fits = !taken[r + dr][c + dc];
            if (fits) {
              expected = std::pair{r, c};
              break;
            }
          }
          const std::string where = "side " + std::to_string(mapSize) + " type " + std::to_string(unit.type) +
                                    " target " + std::to_string(row) + "," + std::to_string(column) + " unit " +
                                    std::to_string(placed);
          ASSERT_EQ(PlaceNear(*s, s->placement, row, column, unit.size, unit.type, 1), expected.has_value()) << where;
          if (!expected) break;
          const auto records = Records(*s);
          ASSERT_EQ(records.back().row, expected->first) << where;
          ASSERT_EQ(records.back().column, expected->second) << where;
          for (int dr = 0; dr < unit.size; ++dr)
            for (int dc = 0; dc < unit.size; ++dc) taken[expected->first + dr][expected->second + dc] = true;
        }
      }
}

TEST(PlaceNear, TargetsAreClampedIntoTheMapBeforeTheWalk) {
  // On an all-grass map a lumber mill takes the first spiral cell whenever
  // the shifted start lies inside the band, so it shows where the walk began.
  struct Row {
    int row, column, row0, column0;
  };
  const Row rows[] = {{2, 30, 4, 30}, {0, 0, 4, 4}, {64, 64, 60, 60}, {30, 100, 30, 60}, {-20, 30, 4, 30}};
  for (const Row& row : rows) {
    int checked = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      auto s = MakeMap(64, kGrassTile, seed);
      const auto [startRow, startColumn] = ShiftedStart(s->random, row.row0, row.column0);
      ASSERT_TRUE(PlaceNear(*s, s->placement, row.row, row.column, 4, kElvenLumberMill, 1))
          << row.row << "," << row.column;
      if (startRow < 5 || startRow > 59 || startColumn < 5 || startColumn > 59) continue;
      ++checked;
      EXPECT_EQ(Records(*s).at(0).row, startRow) << row.row << "," << row.column << " seed " << seed;
      EXPECT_EQ(Records(*s).at(0).column, startColumn - 1) << row.row << "," << row.column << " seed " << seed;
    }
    EXPECT_GE(checked, 5) << row.row << "," << row.column;
  }
}

TEST(PlaceNear, KeepsSpiralingAlongTheBandEdges) {
  // A grass patch near the map's north or east edge, the rest water: the walk
  // must come round to it however its start was shifted.
  struct Row {
    int targetRow, targetColumn, patchRow, patchColumn, patchSide;
  };
  const Row rows[] = {{1, 32, 1, 24, 3},   {2, 10, 1, 3, 3},   {32, 64, 40, 62, 3},
                      {60, 63, 62, 54, 3}, {1, 32, 1, 36, 6},  {32, 64, 26, 59, 6},
                      {1, 64, 1, 56, 6},   {10, 64, 1, 57, 8}, {32, 64, 20, 55, 10}};
  for (uint32_t seed = 1; seed <= 40; ++seed)
    for (const Row& row : rows) {
      auto s = MakeMap(64, kWaterTile, seed);
      const int last = row.patchSide - 1;
      Paint(*s, row.patchRow, row.patchColumn, row.patchRow + last, row.patchColumn + last, kGrassTile);
      ASSERT_TRUE(PlaceNear(*s, s->placement, row.targetRow, row.targetColumn, 1, kCritter, 1))
          << "seed " << seed << " patch " << row.patchRow << "," << row.patchColumn;
      EXPECT_EQ(s->TerrainGrid(Records(*s).at(0).row, Records(*s).at(0).column), kGrassTile);
    }
}

TEST(PlaceNear, GivesUpBeyondAQuarterOfTheMapSide) {
  for (uint32_t seed = 1; seed <= 5; ++seed) {
    auto s = MakeMap(64, kWaterTile, seed);
    s->TerrainGrid(32, 32 + 17) = kGrassTile;  // one column too far
    s->TerrainGrid(32 - 17, 32) = kGrassTile;
    s->TerrainGrid(32 + 20, 32 - 20) = kGrassTile;
    EXPECT_FALSE(PlaceNear(*s, s->placement, 32, 32, 1, kCritter, 1));
    EXPECT_EQ(s->UnitListLength, 0);
    s->TerrainGrid(32 + 7, 32 - 7) = kGrassTile;  // within reach from any shifted start
    EXPECT_TRUE(PlaceNear(*s, s->placement, 32, 32, 1, kCritter, 1));
  }
}

TEST(PlaceNear, ShipsAndAircraftTakeOnlyOddCellsOfTheirGround) {
  struct Row {
    uint8_t type, size;
    bool reverse;
    uint16_t ground;  // where the unit may stand; the rest of the map is the other kind
  };
  const Row rows[] = {{kElvenDestroyer, 4, false, kWaterTile},
                      {kGnomishSubmarine, 7, false, kWaterTile},
                      {kElvenDestroyer, 4, true, kGrassTile},
                      {kGnomishFlyingMachine, 1, false, kGrassTile},
                      {kGnomishFlyingMachine, 1, true, kWaterTile}};
  for (const Row& row : rows) {
    auto s = MakeMap(64, row.ground == kWaterTile ? kGrassTile : kWaterTile, 3);
    s->settings.ReverseLandAndWaterProperties = row.reverse;
    Paint(*s, 10, 10, 54, 54, row.ground);
    int placed = 0;
    while (placed < 40 && PlaceNear(*s, s->placement, 32, 32, row.size, row.type, 4)) ++placed;
    ASSERT_GT(placed, 3) << int(row.type);
    for (const auto& unit : Records(*s)) {
      EXPECT_EQ(unit.row % 2, 1) << int(row.type);
      EXPECT_EQ(unit.column % 2, 1) << int(row.type);
      for (int r = unit.row; r < unit.row + row.size; ++r)
        for (int c = unit.column; c < unit.column + row.size; ++c)
          EXPECT_EQ(s->TerrainGrid(r, c), row.ground) << int(row.type) << " at " << r << "," << c;
    }
  }
}

TEST(PlaceNear, ReversePhysicsPutsFootmenOnWater) {
  auto s = MakeMap(64, kGrassTile, 3);
  s->settings.ReverseLandAndWaterProperties = 1;
  Paint(*s, 36, 36, 50, 50, kWaterTile);
  ASSERT_TRUE(PlaceNear(*s, s->placement, 32, 32, 2, kFootman, 1));
  const auto unit = Records(*s).at(0);
  EXPECT_GE(unit.row, 36);
  EXPECT_GE(unit.column, 36);
}

TEST(PlaceNear, TownHallsKeepAwayFromTheirTarget) {
  for (uint8_t type : {kTownHall, kGreatHall})
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      auto s = MakeMap(64, kGrassTile, seed);
      ASSERT_TRUE(PlaceNear(*s, s->placement, 30, 34, 4, type, 2));
      const auto hall = Records(*s).at(0);
      EXPECT_TRUE(std::abs(hall.row - 30) >= 6 || std::abs(hall.column - 34) >= 6)
          << "seed " << seed << ": " << hall.row << "," << hall.column;
      EXPECT_EQ(s->placement.TownPosition[1].row, hall.row);
      EXPECT_EQ(s->placement.TownPosition[1].column, hall.column);
    }
}

TEST(PlaceNear, AStartLocationBringsItsWorkerOnlyOnceItStands) {
  for (uint8_t start : {kHumanStart, kOrcStart}) {
    auto s = MakeMap(64, kGrassTile, 11);
    const auto [r, c] = ShiftedStart(s->random, 32, 32);
    // A critter under the first spiral cell's square: the first four
    // candidates' squares are taken, though the first one's corner is free.
    s->OccupancyGrid(r + 1, c) = kCritter;
    ASSERT_TRUE(PlaceNear(*s, s->placement, 32, 32, 2, start, 6));
    const auto units = Records(*s);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].type, start);
    EXPECT_EQ(units[1].type, start == kHumanStart ? kPeasant : kPeon);
    for (const auto& unit : units) {
      EXPECT_EQ(unit.row, r - 1);
      EXPECT_EQ(unit.column, c);
      EXPECT_EQ(unit.owner, 5);
    }
  }
}

TEST(SiteSuits, TerrainRulesByTileAndSize) {
  struct Row {
    uint8_t type, size;
    uint16_t tile;
    bool buildOnSand, suits;
  };
  const Row rows[] = {
      // single cells: anything but water, forest, rock and the blocked boundary ranges
      {kCritter, 1, 0x29, false, false},
      {kCritter, 1, 0x2A, false, true},
      {kCritter, 1, 0x6F, false, true},
      {kCritter, 1, 0x70, false, false},
      {kCritter, 1, 0x100, false, false},
      {kCritter, 1, 0x101, false, true},
      {kCritter, 1, 0x200, false, false},
      {kCritter, 1, 0x2FF, false, false},
      {kCritter, 1, 0x300, false, true},
      {kCritter, 1, 0x4FF, false, false},
      {kCritter, 1, 0x500, false, true},
      {kCritter, 1, 0x700, false, false},
      {kCritter, 1, 0x7FF, false, false},
      {kCritter, 1, 0x800, false, true},
      // squares: build ground 0x49..0x69, from 0x29 with "Build On Sand"
      {kHumanBarracks, 3, 0x48, false, false},
      {kHumanBarracks, 3, 0x49, false, true},
      {kHumanBarracks, 3, 0x69, false, true},
      {kHumanBarracks, 3, 0x6A, false, false},
      {kHumanBarracks, 3, 0x30, false, false},
      {kHumanBarracks, 3, 0x30, true, true},
      {kHumanBarracks, 3, 0x29, true, true},
      {kHumanBarracks, 3, 0x28, true, false},
      // ships: water up to 0x29, odd corner only
      {kElvenDestroyer, 4, 0x29, false, true},
      {kElvenDestroyer, 4, 0x2A, false, false},
      {kElvenDestroyer, 4, 0x00, false, true},
  };
  for (const Row& row : rows) {
    auto s = MakeMap(64, row.tile);
    s->settings.BuildOnSand = row.buildOnSand;
    EXPECT_EQ(SiteSuits(*s, 21, 21, row.size, row.type), row.suits)
        << "type " << int(row.type) << " tile " << std::hex << row.tile;
  }
}

TEST(SiteSuits, BuildingsKeepARingClearOfGoldMinesAndInsideTheMap) {
  struct Row {
    int mapSize, row, column, mineRow, mineColumn;
    bool suits;
  };
  // A barracks at (20, 20) covers rows and columns 20..22; the ring is MapSize / 32 wide.
  const Row rows[] = {{64, 20, 20, 18, 21, false}, {64, 20, 20, 17, 21, true}, {64, 20, 20, 24, 24, false},
                      {64, 20, 20, 25, 24, true},  {32, 20, 20, 18, 21, true}, {128, 20, 20, 16, 16, false},
                      {64, 2, 20, 0, 0, false},    {64, 3, 20, 0, 0, true},    {64, 60, 60, 0, 0, true},
                      {64, 61, 60, 0, 0, false},   {32, 1, 5, 0, 0, false},    {32, 2, 5, 0, 0, true}};
  for (const Row& row : rows) {
    auto s = MakeMap(row.mapSize, kGrassTile);
    if (row.mineRow > 0) s->OccupancyGrid(row.mineRow, row.mineColumn) = kGoldMine;
    EXPECT_EQ(SiteSuits(*s, row.row, row.column, 3, kHumanBarracks), row.suits)
        << row.mapSize << ": " << row.row << "," << row.column << " mine " << row.mineRow << "," << row.mineColumn;
  }
}

TEST(SiteSuits, NothingStandsOutsideTheMap) {
  auto s = MakeMap(32, kGrassTile);
  s->TerrainGrid(33, 5) = kGrassTile;  // beyond the map, though inside the grid
  EXPECT_FALSE(SiteSuits(*s, 33, 5, 1, kCritter));
  EXPECT_FALSE(SiteSuits(*s, 0, 5, 1, kCritter));
  Paint(*s, 1, 1, 40, 40, kWaterTile);
  EXPECT_FALSE(SiteSuits(*s, 31, 31, 4, kElvenDestroyer));
  EXPECT_TRUE(SiteSuits(*s, 29, 29, 4, kElvenDestroyer));
}

TEST(UnitReachable, FollowsWalkableTilesInAllEightDirections) {
  struct Row {
    uint16_t bridge;  // the tile of the one cell between the island and the mine's island
    bool reachable;
  };
  const Row rows[] = {{0x10, false}, {0x19, false},  {0x2F, false},  {0x30, true},  {0x39, true},  {0x3A, false},
                      {0x50, true},  {0x59, true},   {0x5A, false},  {0x70, false}, {0x89, false}, {0x100, true},
                      {0x3FF, true}, {0x400, false}, {0x4FF, false}, {0x500, true}, {0x6FF, true}, {0x700, false}};
  for (const Row& row : rows) {
    auto s = MakeMap(32, kWaterTile);
    Paint(*s, 3, 3, 10, 10, kGrassTile);
    Paint(*s, 12, 12, 20, 20, kGrassTile);
    s->TerrainGrid(11, 11) = row.bridge;  // touches both islands only diagonally
    s->OccupancyGrid(18, 18) = kGoldMine;
    EXPECT_EQ(UnitReachable(*s, 4, 4, kGoldMine), row.reachable) << std::hex << row.bridge;
  }
}

TEST(UnitReachable, TheMineMayStandOnAnyTileButTheStartIsNotExamined) {
  auto s = MakeMap(32, kWaterTile);
  Paint(*s, 3, 3, 10, 10, kGrassTile);
  s->OccupancyGrid(11, 11) = kGoldMine;  // on water, touching the island's corner
  EXPECT_TRUE(UnitReachable(*s, 5, 5, kGoldMine));
  s->OccupancyGrid(11, 11) = 0;
  s->OccupancyGrid(12, 12) = kGoldMine;  // one water cell further
  EXPECT_FALSE(UnitReachable(*s, 5, 5, kGoldMine));
  s->OccupancyGrid(5, 5) = kGoldMine;
  EXPECT_FALSE(UnitReachable(*s, 5, 5, kGoldMine));
  // A whole-map island: the walk crosses it without recursion.
  auto big = MakeMap(128, kGrassTile);
  big->OccupancyGrid(128, 128) = kGoldMine;
  EXPECT_TRUE(UnitReachable(*big, 1, 1, kGoldMine));
  EXPECT_FALSE(UnitReachable(*big, 1, 1, kOilPatch));
}

}  // namespace
}  // namespace glenmire

namespace glenmire {
namespace {

// Each walk starts with nothing visited although the marks are kept from walk
// to walk, and once a thread has walked, walking allocates nothing.
TEST(SiteSearch, WalksStartAfreshAndAllocateNothing) {
  auto s = MakeMap(128, kGrassTile);
  s->OccupancyGrid(128, 128) = kGoldMine;
  EXPECT_TRUE(UnitReachable(*s, 1, 1, kGoldMine));
  ASSERT_TRUE(PlaceNear(*s, s->placement, 60, 60, 3, kHumanBarracks, 1));
  const AllocationCount count;
  for (int walk = 0; walk < 3; ++walk) {
    EXPECT_TRUE(UnitReachable(*s, 1, 1, kGoldMine)) << walk;
    EXPECT_FALSE(UnitReachable(*s, 1, 1, kOilPatch)) << walk;
    EXPECT_TRUE(PlaceNear(*s, s->placement, 60, 60, 3, kHumanBarracks, 1)) << walk;
  }
  EXPECT_EQ(count.Made(), 0);
  // The region fill over the whole map: its stack's one buffer, however many pushes.
  const AllocationCount fill;
  BuildRegionMap(*s);
  EXPECT_EQ(fill.Made(), 1);
  EXPECT_EQ(s->RegionGrid(128, 128), 0);
}

}  // namespace
}  // namespace glenmire
