#include "placement/players.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "core/unit_types.h"
#include "map_builder.h"
#include "placement/resources.h"
#include "placement/unit_list.h"

namespace glenmire {
namespace {

using testing::KeepOnly;
using testing::kGrassTile;
using testing::kWaterTile;
using testing::MakeMap;
using testing::Paint;
using testing::PlacePlayers;
using testing::PlaceResources;
using testing::Records;

using TypeCounts = std::map<int, int>;

TypeCounts CountTypes(const GeneratorState& s, int owner) {
  TypeCounts counts;
  for (const auto& unit : Records(s))
    if (unit.owner == owner) ++counts[unit.type];
  return counts;
}

void SetPlayers(GeneratorState& s, std::initializer_list<uint8_t> controllers) {
  std::fill(std::begin(s.settings.PlayerController), std::end(s.settings.PlayerController), kControllerNobody);
  int i = 0;
  for (uint8_t c : controllers) s.settings.PlayerController[i++] = c;
}

bool IsShipOrAircraft(int type) { return (type >= 26 && type <= 33) || (type >= 38 && type <= 41); }

TEST(StartIslands, PlayersGetSeaAttackAStartLocationAWorkerAndShipsOnly) {
  auto s = MakeMap(32, kWaterTile, 17);
  SetPlayers(*s, {kControllerHuman, kControllerComputer, kControllerRescuePassive, kControllerNobody});
  const uint8_t races[] = {0, 1, 2, 1};
  const int8_t levels[] = {3, 9, 1, 10};
  const CellPosition cells[] = {{5, 5}, {20, 25}, {28, 6}, {10, 10}};
  for (int i = 0; i < 4; ++i) {
    s->settings.PlayerRace[i] = races[i];
    s->settings.Difficulty[i] = levels[i];
    s->StartCells[i] = cells[i];
    s->settings.PlayerAI[i] = kAiLandAttack;
  }
  for (int i : {0, 1, 2}) Paint(*s, cells[i].row, cells[i].column, cells[i].row, cells[i].column, kGrassTile);
  s->settings.GoldMines = 3;
  s->settings.PlayersPlaced = 1;
  s->StartIslandsMode = true;
  PlaceResources(*s);

  EXPECT_EQ(s->placement.MinesPlaced, 0);
  const uint8_t starts[] = {kHumanStart, kOrcStart, kHumanStart};
  const uint8_t workers[] = {kPeasant, kPeon, kPeasant};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(s->settings.PlayerAI[i], kAiSeaAttack);
    EXPECT_EQ(s->placement.TownPosition[i].row, cells[i].row);
    EXPECT_EQ(s->placement.TownPosition[i].column, cells[i].column);
    std::vector<testing::UnitRecord> own;
    for (const auto& unit : Records(*s))
      if (unit.owner == i) own.push_back(unit);
    ASSERT_GE(own.size(), 3u);  // every level brings at least one ship
    EXPECT_EQ(own[0].type, starts[i]);
    EXPECT_EQ(own[1].type, workers[i]);
    for (int k : {0, 1}) {
      EXPECT_EQ(own[k].row, cells[i].row);
      EXPECT_EQ(own[k].column, cells[i].column);
    }
    for (std::size_t k = 2; k < own.size(); ++k) EXPECT_TRUE(IsShipOrAircraft(own[k].type)) << own[k].type;
  }
  EXPECT_EQ(s->settings.PlayerAI[3], kAiLandAttack);
  EXPECT_TRUE(CountTypes(*s, 3).empty());
  EXPECT_EQ(s->placement.TownPosition[3].row, 0);
  EXPECT_TRUE(s->settings.PlayersPlaced);
}

TEST(StartIslands, TwoPlayersOnOneCellLeaveTheSecondWithoutAStartLocation) {
  auto s = MakeMap(32, kWaterTile, 17);
  SetPlayers(*s, {kControllerHuman, kControllerComputer});
  s->StartCells[0] = s->StartCells[1] = CellPosition{9, 9};
  s->settings.PlayersPlaced = 1;
  PlaceStartIslandPlayers(*s, s->placement);
  EXPECT_EQ(CountTypes(*s, 0), (TypeCounts{{kHumanStart, 1}, {kPeasant, 1}}));
  EXPECT_TRUE(CountTypes(*s, 1).empty());
  EXPECT_FALSE(s->settings.PlayersPlaced);  // the map cannot be played
}

TEST(TownsAtMines, ActivePlayersClaimSeparateMinesAndRescuePlayersSettleAtRandom) {
  for (uint32_t seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    auto s = MakeMap(64, kGrassTile, seed);
    SetPlayers(*s, {kControllerHuman, kControllerRescueActive, kControllerComputer});
    s->settings.PlayerRace[2] = 1;
    ASSERT_TRUE(PlaceUnit(*s, s->placement, 15, 15, kNeutralOwner, 3, kGoldMine));
    ASSERT_TRUE(PlaceUnit(*s, s->placement, 45, 45, kNeutralOwner, 3, kReservedMineSite));
    CellPool& pool = s->placement.pool;
    pool.PoolInit(64);
    PlaceTownsAtMines(*s, s->placement);
    const int claimA = s->ScratchGrid(15, 15), claimB = s->ScratchGrid(45, 45);
    EXPECT_TRUE((claimA == 1 && claimB == 3) || (claimA == 3 && claimB == 1)) << claimA << " " << claimB;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(s->ScratchGrid(15 + r, 15 + c), claimA);
        EXPECT_EQ(s->ScratchGrid(45 + r, 45 + c), claimB);
      }
    EXPECT_EQ(CountTypes(*s, 0), (TypeCounts{{kTownHall, 1}}));
    EXPECT_EQ(CountTypes(*s, 2), (TypeCounts{{kGreatHall, 1}}));
    EXPECT_TRUE(CountTypes(*s, 1).empty());
    // Each town lies within the search's reach of its own mine.
    for (int player : {1, 3}) {
      const int mine = claimA == player ? 15 : 45;
      EXPECT_LE(std::abs(s->placement.TownPosition[player - 1].row - mine), 16);
      EXPECT_LE(std::abs(s->placement.TownPosition[player - 1].column - mine), 16);
    }
    PlaceTownsAtRandom(*s, s->placement, false);
    EXPECT_EQ(CountTypes(*s, 1), (TypeCounts{{kTownHall, 1}}));
    EXPECT_EQ(CountTypes(*s, 0), (TypeCounts{{kTownHall, 1}}));
  }
}

TEST(TownsAtMines, APlayerWithoutAnUnclaimedMineKeepsItsTownPosition) {
  auto s = MakeMap(64, kGrassTile, 5);
  SetPlayers(*s, {kControllerHuman, kControllerHuman});
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 30, 30, kNeutralOwner, 3, kGoldMine));
  s->placement.TownPosition[1] = CellPosition{7, 8};  // left from an earlier attempt
  CellPool& pool = s->placement.pool;
  pool.PoolInit(64);
  PlaceTownsAtMines(*s, s->placement);
  EXPECT_EQ(CountTypes(*s, 1).size(), 0u);
  EXPECT_EQ(s->placement.TownPosition[1].row, 7);
  EXPECT_EQ(s->placement.TownPosition[1].column, 8);
  EXPECT_EQ(s->random.draws, 4u + 1u + 1u);  // two pool draws, one site search
}

TEST(TownsAtRandom, TownsOutOfReachOfGoldStartRicherAndEveryHandledPlayerIsCapped) {
  struct Row {
    bool mineNearby;
    int32_t gold, lumber, lowest, highest;
  };
  const Row rows[] = {
      {false, 1000, 2000, 3000, 7999},       {false, 599999, 0, 1000, 5999}, {false, 1000, 62000, 63000, 65000},
      {false, 600000, 0, 65000, 65000},      {true, 1234, 0, 1234, 1234},    {true, 70000, 0, 65000, 65000},
      {false, -5, 2147480000, 65000, 65000},
  };
  for (const Row& row : rows) {
    auto s = MakeMap(32, kWaterTile, 12);
    Paint(*s, 10, 10, 25, 25, kGrassTile);
    if (row.mineNearby) {
      ASSERT_TRUE(PlaceUnit(*s, s->placement, 22, 22, kNeutralOwner, 3, kGoldMine));
    }
    SetPlayers(*s, {kControllerHuman, kControllerNobody});
    s->settings.StartGold[0] = row.gold;
    s->settings.StartLumber[0] = row.lumber;
    s->settings.StartGold[1] = 70000;  // takes no part: left alone
    CellPool& pool = s->placement.pool;
    KeepOnly(pool, 32, {{14, 14}});
    PlaceTownsAtRandom(*s, s->placement, true);
    EXPECT_GE(s->settings.StartGold[0], row.lowest) << row.gold << "/" << row.lumber;
    EXPECT_LE(s->settings.StartGold[0], row.highest) << row.gold << "/" << row.lumber;
    EXPECT_EQ(s->settings.StartGold[1], 70000);
    EXPECT_TRUE(s->settings.PlayersPlaced);
  }
}

TEST(TownsAtRandom, AFailedTownTakesTheDrawnCellLoweredIntoTheMap) {
  auto s = MakeMap(64, kWaterTile, 12);
  SetPlayers(*s, {kControllerComputer});
  CellPool& pool = s->placement.pool;
  KeepOnly(pool, 64, {{64, 63}});
  PlaceTownsAtRandom(*s, s->placement, true);
  EXPECT_EQ(s->UnitListLength, 0);
  EXPECT_EQ(s->placement.TownPosition[0].row, 61);
  EXPECT_EQ(s->placement.TownPosition[0].column, 61);
}

TEST(StartupUnits, EachLevelAddsItsUnits) {
  struct Row {
    uint8_t race;
    int8_t level;
    TypeCounts units;
  };
  const Row rows[] = {
      {0, 0, {{kHumanStart, 1}, {kPeasant, 1}}},
      {0, 1, {{kHumanStart, 1}, {kPeasant, 2}}},
      {1, 1, {{kOrcStart, 1}, {kPeon, 2}}},
      {0, 2, {{kHumanStart, 1}, {kPeasant, 2}, {kFootman, 2}, {58, 2}}},
      {1, 3, {{kOrcStart, 1}, {kPeon, 3}, {kGrunt, 2}, {59, 2}, {61, 1}}},
      {0, 5, {{kHumanStart, 1}, {kPeasant, 3}, {kFootman, 4}, {58, 3}, {60, 1}, {8, 4}}},
      {1,
       10,
       {{kOrcStart, 1}, {kPeon, 3}, {kGrunt, 4}, {59, 3}, {61, 1}, {9, 4}, {77, 1}, {83, 1}, {7, 8}, {5, 1}, {11, 2}}},
      {2, 1, {{kHumanStart, 1}, {kPeasant, 2}}},  // an unresolved race plays human
  };
  for (const Row& row : rows) {
    auto s = MakeMap(64, kGrassTile, 31);
    SetPlayers(*s, {kControllerHuman});
    s->settings.PlayerRace[0] = row.race;
    s->settings.Difficulty[0] = row.level;
    s->settings.PlayersPlaced = 1;
    s->placement.TownPosition[0] = CellPosition{32, 32};
    PlaceStartupUnits(*s, s->placement);
    EXPECT_EQ(CountTypes(*s, 0), row.units) << "race " << int(row.race) << " level " << int(row.level);
    EXPECT_TRUE(s->settings.PlayersPlaced);
    // The worker stands on its start location's cell, right after it in the list.
    const auto units = Records(*s);
    EXPECT_EQ(units[1].row, units[0].row);
    EXPECT_EQ(units[1].column, units[0].column);
  }
}

TEST(StartupUnits, AMissingStartLocationStopsAllFurtherPlacement) {
  auto s = MakeMap(64, kWaterTile, 31);
  SetPlayers(*s, {kControllerHuman, kControllerComputer});
  s->settings.Difficulty[0] = s->settings.Difficulty[1] = 5;
  s->settings.PlayersPlaced = 1;
  s->placement.TownPosition[0] = CellPosition{20, 20};
  s->placement.TownPosition[1] = CellPosition{40, 40};
  Paint(*s, 36, 36, 50, 50, kGrassTile);  // player 2 would have room
  PlaceStartupUnits(*s, s->placement);
  EXPECT_FALSE(s->settings.PlayersPlaced);
  EXPECT_EQ(s->UnitListLength, 0);
  EXPECT_EQ(s->random.draws, 4u);  // the one search of player 1
}

// Forest all round: a 2 x 2 patch of grass holds the start location, nothing
// else finds room on land or water.
std::unique_ptr<testing::PlacementMap> CrampedTown(uint8_t race, int8_t level) {
  auto s = MakeMap(64, testing::kForestTile, 41);
  SetPlayers(*s, {kControllerHuman, kControllerNobody});
  s->settings.PlayerRace[0] = race;
  s->settings.Difficulty[0] = level;
  s->settings.PlayersPlaced = 1;
  s->placement.TownPosition[0] = CellPosition{30, 30};
  Paint(*s, 30, 30, 31, 31, kGrassTile);
  for (int u = 0; u < kUnitTypes; ++u) {
    s->settings.UnitGoldCost[u] = 40;
    s->settings.UnitLumberCost[u] = 5;
    s->settings.UnitOilCost[u] = 0;
  }
  s->settings.UnitGoldCost[0] = 60;     // footman
  s->settings.UnitLumberCost[41] = 25;  // farm
  s->settings.UnitGoldCost[3] = 45;     // peon
  s->settings.UnitOilCost[22] = 70;     // elven destroyer
  for (int p = 0; p < kPlayers; ++p) {
    s->settings.StartGold[p] = 1000;
    s->settings.StartLumber[p] = 1000;
    s->settings.StartOil[p] = 1000;
  }
  return s;
}

TEST(Compensation, UnplacedUnitsArePaidForWhenTheMenuSaysSo) {
  struct Row {
    uint8_t race;
    int8_t level;
    bool naval, compensate;
    int32_t gold, lumber, oil;
  };
  const Row rows[] = {
      {0, 1, false, true, 1400, 1050, 1000},                           // a peasant
      {1, 1, false, true, 1450, 1050, 1000},                           // a peon
      {0, 2, false, true, 1400 + 1200 + 800, 1050 + 100 + 500, 1000},  // peasant, footmen, farms
      {0, 2, false, false, 1000, 1000, 1000},
      {0, 1, true, true, 1400, 1050, 1700},                               // an elven destroyer
      {0, 2, true, true, 1000 + 5 * 400, 1000 + 5 * 50, 1000 + 3 * 700},  // two tankers, three destroyers
  };
  for (const Row& row : rows) {
    auto s = CrampedTown(row.race, row.level);
    s->menu.compensate = row.compensate;
    s->settings.Compensate = !row.compensate;  // the menu's check mark decides, not the record
    if (row.naval)
      PlaceNavalUnits(*s, s->placement);
    else
      PlaceStartupUnits(*s, s->placement);
    EXPECT_EQ(s->settings.StartGold[0], row.gold) << int(row.level) << (row.naval ? " naval" : "");
    EXPECT_EQ(s->settings.StartLumber[0], row.lumber) << int(row.level) << (row.naval ? " naval" : "");
    EXPECT_EQ(s->settings.StartOil[0], row.oil) << int(row.level) << (row.naval ? " naval" : "");
    EXPECT_EQ(s->settings.StartGold[1], 1000);
  }
}

TEST(Compensation, EveryPlayersResourcesAreCappedAfterPaying) {
  for (bool naval : {false, true}) {
    auto s = CrampedTown(0, 1);
    s->menu.compensate = true;
    s->settings.StartGold[0] = 64990;
    s->settings.StartLumber[0] = 65001;
    s->settings.StartOil[0] = 2000000000;
    s->settings.StartGold[5] = 70000;  // takes no part, capped all the same
    s->settings.StartOil[7] = -20;
    if (naval)
      PlaceNavalUnits(*s, s->placement);
    else
      PlaceStartupUnits(*s, s->placement);
    EXPECT_EQ(s->settings.StartGold[0], 65000);
    EXPECT_EQ(s->settings.StartLumber[0], 65000);
    EXPECT_EQ(s->settings.StartOil[0], 65000);
    EXPECT_EQ(s->settings.StartGold[5], 65000);
    EXPECT_EQ(s->settings.StartOil[7], -20);
  }
  auto off = CrampedTown(0, 1);
  off->menu.compensate = false;
  off->settings.StartGold[5] = 70000;
  PlaceStartupUnits(*off, off->placement);
  EXPECT_EQ(off->settings.StartGold[5], 70000);
}

TEST(NavalUnits, ALevelEightOrcGetsGiantTurtlesOnOddWaterCells) {
  auto s = MakeMap(128, kWaterTile, 8);
  SetPlayers(*s, {kControllerNobody, kControllerComputer});
  s->settings.PlayerRace[1] = 1;
  s->settings.Difficulty[1] = 8;
  s->placement.TownPosition[1] = CellPosition{64, 64};
  PlaceNavalUnits(*s, s->placement);
  const TypeCounts ships = CountTypes(*s, 1);
  EXPECT_EQ(ships.at(39), 4);
  EXPECT_EQ(ships.at(33), 6);
  EXPECT_EQ(ships.count(38), 0u);
  for (const auto& unit : Records(*s)) {
    EXPECT_EQ(unit.row % 2, 1);
    EXPECT_EQ(unit.column % 2, 1);
  }
}

TEST(Critters, EachTrackbarScattersItsOwnersCritters) {
  struct Row {
    int32_t player3, neutral;
    uint64_t draws;
    bool player3Critters, neutralCritters;
  };
  const Row rows[] = {{0, 0, 0, false, false},
                      {-4, 0, 0, false, false},
                      {10, 0, 32 * 32, true, false},
                      {0, 10, 32 * 32, false, true},
                      {10, 10, 2 * 32 * 32, true, true}};
  for (const Row& row : rows) {
    auto s = MakeMap(32, kGrassTile, 77);
    SetPlayers(*s, {});  // critters do not ask about controllers
    s->settings.CrittersPlayer[2] = row.player3;
    s->settings.CrittersNormal = row.neutral;
    PlaceCritters(*s, s->placement);
    const TypeCounts mine = CountTypes(*s, 2), neutral = CountTypes(*s, kNeutralOwner);
    EXPECT_EQ(mine.count(kCritter) > 0, row.player3Critters) << row.player3 << "/" << row.neutral;
    EXPECT_EQ(neutral.count(kCritter) > 0, row.neutralCritters) << row.player3 << "/" << row.neutral;
    // Every search that placed something drew four numbers besides the per-cell draw.
    EXPECT_EQ(s->random.draws, row.draws + 4 * static_cast<uint64_t>(s->UnitListLength / 8)) << row.player3;
  }
}

TEST(PlacePlayers, ShipsSailOnlyWhereTheMapHasWater) {
  struct Row {
    bool reverse;
    int8_t landWater;
    bool rivers, lakes, ships;
  };
  const Row rows[] = {{false, 97, false, false, true}, {false, 98, false, false, false}, {false, 98, true, false, true},
                      {false, 100, false, true, true}, {false, -56, false, false, true}, {true, 5, true, true, false},
                      {true, 6, false, false, true}};
  for (const Row& row : rows) {
    // Water for ships to sail and land for the town, on the ground the physics give them.
    const uint16_t open = row.reverse ? kGrassTile : kWaterTile;
    auto s = MakeMap(32, open, 23);
    Paint(*s, 13, 13, 19, 19, row.reverse ? kWaterTile : kGrassTile);
    SetPlayers(*s, {kControllerHuman});
    s->settings.Difficulty[0] = 1;
    s->settings.ReverseLandAndWaterProperties = row.reverse;
    s->settings.LandWater = row.landWater;
    s->settings.RiversEnable = row.rivers;
    s->settings.LakesEnable = row.lakes;
    PlacePlayers(*s);
    EXPECT_EQ(CountTypes(*s, 0).count(30) > 0, row.ships) << int(row.landWater) << (row.reverse ? " reverse" : "");
  }
}

}  // namespace
}  // namespace glenmire
