// Towns, startup units, ships and critters of the players phase. The gold
// phase has placed the mine sites these towns look for.
#include "placement/players.h"

#include <array>
#include <cstdint>
#include <vector>

#include "placement/random_cell.h"
#include "placement/resources.h"
#include "placement/site_search.h"
#include "placement/unit_list.h"
#include "placement/unit_types.h"

namespace glenmire {

namespace {

constexpr int kLevels = 11;

// One unit of a level: its human and orc unit types and the side of its reserved square.
struct LevelUnit {
  uint8_t human;
  uint8_t orc;
  uint8_t size;
};
using LevelTable = std::array<std::vector<LevelUnit>, kLevels>;

const LevelTable& StartupLevels() {
  static const LevelTable levels = {{
      {{kHumanStart, kOrcStart, 2}},
      {{kPeasant, kPeon, 4}},
      {{kFootman, kGrunt, 2}, {58, 59, 2}, {kFootman, kGrunt, 2}, {58, 59, 2}},  // farms
      {{kPeasant, kPeon, 2}, {60, 61, 3}},                                       // barracks
      {{8, 9, 1}, {8, 9, 1}, {8, 9, 1}, {8, 9, 1}},                              // archers, axethrowers
      {{kFootman, kGrunt, 2}, {kFootman, kGrunt, 2}, {58, 59, 3}},
      {{76, 77, 4}},                                                                             // lumber mills
      {{82, 83, 5}},                                                                             // blacksmiths
      {{6, 7, 2}, {6, 7, 2}, {6, 7, 2}, {6, 7, 2}, {6, 7, 2}, {6, 7, 2}, {6, 7, 2}, {6, 7, 2}},  // knights, ogres
      {{4, 5, 3}},                                                                               // ballista, catapult
      {{10, 11, 2}, {10, 11, 2}},                                                                // mages, death knights
  }};
  return levels;
}

// Level 0 has no ships.
const LevelTable& NavalLevels() {
  static const LevelTable levels = {{
      {},
      {{30, 31, 4}},                                         // destroyers
      {{26, 27, 4}, {30, 31, 4}, {26, 27, 4}, {30, 31, 4}},  // oil tankers and destroyers
      {{30, 31, 4}},
      {{30, 31, 4}, {30, 31, 4}, {30, 31, 4}, {30, 31, 4}},
      {{30, 31, 6}, {30, 31, 6}},
      {{30, 31, 6}},
      {{32, 33, 6}, {32, 33, 6}, {32, 33, 6}, {32, 33, 6}, {32, 33, 6}, {32, 33, 6}},  // battleships
      {{38, 39, 7}, {38, 39, 7}, {38, 39, 7}, {38, 39, 7}},                            // submarines, turtles
      {{28, 29, 8}},                                                                   // transports
      {{40, 41, 1}, {40, 41, 1}},                                                      // flying machines, zeppelins
  }};
  return levels;
}

// The unit's index in the settings' per-unit arrays (its settings number - 1).
int SettingsIndexOf(uint8_t unitType) {
  if (unitType <= 17) return unitType;
  if (unitType >= 26 && unitType <= 33) return unitType - 8;
  if (unitType >= 38 && unitType <= 43) return unitType - 12;
  if (unitType >= 55 && unitType <= 91) return unitType - 17;
  return -1;
}

bool TakesPart(const GeneratorState& s, int player) {
  return s.settings.PlayerController[player - 1] != kControllerNobody;
}

bool IsActive(const GeneratorState& s, int player) {
  const uint8_t controller = s.settings.PlayerController[player - 1];
  return controller == kControllerComputer || controller == kControllerHuman;
}

bool IsRescue(const GeneratorState& s, int player) {
  const uint8_t controller = s.settings.PlayerController[player - 1];
  return controller == kControllerRescuePassive || controller == kControllerRescueActive;
}

// Race 1 is orc; anything else plays human.
bool IsOrc(const GeneratorState& s, int player) { return s.settings.PlayerRace[player - 1] == 1; }

uint8_t TypeFor(const GeneratorState& s, int player, const LevelUnit& unit) {
  return IsOrc(s, player) ? unit.orc : unit.human;
}

int32_t Capped(int64_t value) {
  return value >= kStartResourceCap + 1 ? kStartResourceCap : static_cast<int32_t>(value);
}

void SetTownPosition(GeneratorState& s, int player, int row, int column) {
  s.TownPosition[player - 1] = CellPosition{static_cast<uint8_t>(row), static_cast<uint8_t>(column)};
}

// What the units that found no room would have cost, per player.
struct Compensation {
  int32_t gold[kPlayers]{};
  int32_t lumber[kPlayers]{};
  int32_t oil[kPlayers]{};

  void Charge(const GeneratorState& s, int player, uint8_t unitType) {
    const int index = SettingsIndexOf(unitType);
    if (index < 0) return;
    gold[player - 1] += s.settings.UnitGoldCost[index] * 10;
    lumber[player - 1] += s.settings.UnitLumberCost[index] * 10;
    oil[player - 1] += s.settings.UnitOilCost[index] * 10;
  }

  // Only with "Compensate for Unplaced Units" checked; every player is capped.
  void Pay(GeneratorState& s) const {
    if (!s.menu.compensate) return;
    for (int i = 0; i < kPlayers; ++i) {
      s.settings.StartGold[i] = Capped(int64_t{s.settings.StartGold[i]} + gold[i]);
      s.settings.StartLumber[i] = Capped(int64_t{s.settings.StartLumber[i]} + lumber[i]);
      s.settings.StartOil[i] = Capped(int64_t{s.settings.StartOil[i]} + oil[i]);
    }
  }
};

// Places every unit of one level for one player from its town position.
// False when one of them found no room.
bool PlaceLevel(GeneratorState& s, int player, const std::vector<LevelUnit>& units, Compensation* compensation) {
  bool allPlaced = true;
  const CellPosition town = s.TownPosition[player - 1];
  for (const LevelUnit& unit : units) {
    const uint8_t type = TypeFor(s, player, unit);
    if (PlaceNear(s, town.row, town.column, unit.size, type, static_cast<uint8_t>(player))) continue;
    allPlaced = false;
    if (compensation != nullptr) compensation->Charge(s, player, type);
  }
  return allPlaced;
}

bool NavalUnitsWanted(const GeneratorState& s) {
  const int8_t landWater = s.settings.LandWater;
  if (s.settings.ReverseLandAndWaterProperties) return landWater >= 6;
  return landWater < 98 || s.settings.RiversEnable || s.settings.LakesEnable;
}

void PlaceHall(GeneratorState& s, int player, int row, int column) {
  const uint8_t hall = IsOrc(s, player) ? kGreatHall : kTownHall;
  if (!PlaceNear(s, row, column, 4, hall, static_cast<uint8_t>(player))) SetTownPosition(s, player, row, column);
}

// The first mine cell from `fromRow` to `toRow` in reading order that is free
// or already claimed by this player.
bool FindMine(const GeneratorState& s, int player, int fromRow, int toRow, int& foundRow, int& foundColumn) {
  const int mapSize = s.MapSize();
  for (int r = fromRow; r <= toRow; ++r)
    for (int c = 1; c <= mapSize; ++c) {
      if (s.OccupancyGrid(r, c) != kGoldMine) continue;
      const uint8_t claim = s.ScratchGrid(r, c);
      if (claim != 0 && claim != player) continue;
      foundRow = r;
      foundColumn = c;
      return true;
    }
  return false;
}

void PlaceLevels(GeneratorState& s, const LevelTable& levels, int firstLevel, bool needPlayersPlaced) {
  Compensation compensation;
  for (int level = firstLevel; level < kLevels; ++level)
    for (int player = 1; player <= kPlayers; ++player) {
      if (!TakesPart(s, player) || s.settings.Difficulty[player - 1] < level) continue;
      if (needPlayersPlaced && !s.settings.PlayersPlaced) continue;
      // Without its start location a player cannot play: the map fails.
      if (level == 0) {
        if (!PlaceLevel(s, player, levels[0], nullptr)) s.settings.PlayersPlaced = 0;
        continue;
      }
      PlaceLevel(s, player, levels[level], &compensation);
    }
  compensation.Pay(s);
}

}  // namespace

void PlaceStartIslandPlayers(GeneratorState& s) {
  for (int player = 1; player <= kPlayers; ++player) {
    if (!TakesPart(s, player)) continue;
    s.settings.PlayerAI[player - 1] = kAiSeaAttack;
    const CellPosition cell = s.StartCells[player - 1];
    s.TownPosition[player - 1] = cell;
    const uint8_t owner = static_cast<uint8_t>(player - 1);
    const bool orc = IsOrc(s, player);
    // The worker joins its start location only once that stands.
    if (!PlaceUnit(s, cell.row, cell.column, owner, 1, orc ? kOrcStart : kHumanStart) ||
        !PlaceUnit(s, cell.row, cell.column, owner, 1, orc ? kPeon : kPeasant))
      s.settings.PlayersPlaced = 0;
  }
}

void PlaceTownsAtMines(GeneratorState& s, CellPool& pool) {
  const int mapSize = s.MapSize();
  for (int player = 1; player <= kPlayers; ++player) {
    if (!IsActive(s, player) || pool.PoolCount() == 0) continue;
    const PoolCell cell = TakeRandomCell(s, pool);
    const int row = std::min(cell.row, mapSize - 1);
    int foundRow = 0, foundColumn = 0;
    if (!FindMine(s, player, row, mapSize, foundRow, foundColumn) &&
        !FindMine(s, player, 1, row, foundRow, foundColumn))
      continue;  // no mine left: the player keeps its town position
    // The player claims the mine it settles at.
    for (int r = foundRow - 2; r <= foundRow + 2; ++r)
      for (int c = foundColumn - 2; c <= foundColumn + 2; ++c)
        if (InsideMap(mapSize, r, c) && s.OccupancyGrid(r, c) == kGoldMine)
          s.ScratchGrid(r, c) = static_cast<uint8_t>(player);
    PlaceHall(s, player, foundRow, foundColumn);
  }
}

void PlaceTownsAtRandom(GeneratorState& s, CellPool& pool, bool allPlayers) {
  const int mapSize = s.MapSize();
  s.settings.PlayersPlaced = 1;
  for (int player = 1; player <= kPlayers; ++player) {
    if (!TakesPart(s, player) || (!allPlayers && !IsRescue(s, player))) continue;
    const PoolCell cell = TakeRandomCell(s, pool);
    const int row = std::min(cell.row, mapSize - 3);
    const int column = std::min(cell.column, mapSize - 3);
    PlaceHall(s, player, row, column);
    // A town without a gold mine in walking reach starts richer instead.
    int32_t& gold = s.settings.StartGold[player - 1];
    if (!UnitReachable(s, row, column, kGoldMine) && gold < 600000)
      gold = Capped(int64_t{s.settings.StartLumber[player - 1]} + 1000 + s.random.RandInt(5000));
    gold = Capped(gold);
  }
}

void PlaceStartupUnits(GeneratorState& s) { PlaceLevels(s, StartupLevels(), 0, true); }

void PlaceNavalUnits(GeneratorState& s) { PlaceLevels(s, NavalLevels(), 1, false); }

void PlaceCritters(GeneratorState& s) {
  const int mapSize = s.MapSize();
  auto scatter = [&](int32_t chance, uint8_t player) {
    for (int row = 1; row <= mapSize; ++row)
      for (int column = 1; column <= mapSize; ++column)
        if (s.random.RandInt(400) < chance) PlaceNear(s, row, column, 1, kCritter, player);
  };
  for (int player = 1; player <= kPlayers; ++player)
    if (s.settings.CrittersPlayer[player - 1] >= 1)
      scatter(s.settings.CrittersPlayer[player - 1], static_cast<uint8_t>(player));
  if (s.settings.CrittersNormal >= 1) scatter(s.settings.CrittersNormal, kNeutralPlayer);
}

void PlaceTownPhase(GeneratorState& s, CellPool& pool) {
  pool.PoolInit(s.MapSize());
  if (pool.PoolCount() == 0) return;
  if (s.StartIslandsMode) {
    PlaceStartIslandPlayers(s);
    PlaceNavalUnits(s);
    return;
  }
  if (s.MinesPlaced >= CountActivePlayers(s)) {
    PlaceTownsAtMines(s, pool);
    PlaceTownsAtRandom(s, pool, false);
  } else {
    PlaceTownsAtRandom(s, pool, true);
  }
}

void PlaceUnitPhase(GeneratorState& s, CellPool& pool) {
  PlaceStartupUnits(s);
  if (pool.PoolCount() > 0 && NavalUnitsWanted(s)) PlaceNavalUnits(s);
  if (pool.PoolCount() > 0) PlaceCritters(s);
}

}  // namespace glenmire
