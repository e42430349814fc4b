// Towns, startup units, ships and critters of the players phase. The gold
// phase has placed the mine sites these towns look for.
#include "placement/players.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/cell_pool.h"
#include "core/unit_types.h"
#include "placement/resources.h"
#include "placement/site_search.h"
#include "placement/symmetric_units.h"
#include "placement/unit_list.h"

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

std::vector<LevelUnit> Times(int count, LevelUnit unit) {
  return std::vector<LevelUnit>(static_cast<std::size_t>(count), unit);
}

constexpr LevelUnit kDestroyer4{kElvenDestroyer, kTrollDestroyer, 4};
constexpr LevelUnit kDestroyer6{kElvenDestroyer, kTrollDestroyer, 6};
constexpr LevelUnit kTanker{kHumanOilTanker, kOrcOilTanker, 4};

const LevelTable& StartupLevels() {
  static const LevelTable levels = {{
      {{kHumanStart, kOrcStart, 2}},
      {{kPeasant, kPeon, 4}},
      {{kFootman, kGrunt, 2}, {kFarm, kPigFarm, 2}, {kFootman, kGrunt, 2}, {kFarm, kPigFarm, 2}},
      {{kPeasant, kPeon, 2}, {kHumanBarracks, kOrcBarracks, 3}},
      {Times(4, {kElvenArcher, kTrollAxethrower, 1})},
      {{kFootman, kGrunt, 2}, {kFootman, kGrunt, 2}, {kFarm, kPigFarm, 3}},
      {{kElvenLumberMill, kTrollLumberMill, 4}},
      {{kHumanBlacksmith, kOrcBlacksmith, 5}},
      {Times(8, {kKnight, kOgre, 2})},
      {{kBallista, kCatapult, 3}},
      {Times(2, {kMage, kDeathKnight, 2})},
  }};
  return levels;
}

// Level 0 has no ships.
const LevelTable& NavalLevels() {
  static const LevelTable levels = {{
      {},
      {kDestroyer4},
      {kTanker, kDestroyer4, kTanker, kDestroyer4},
      {kDestroyer4},
      {Times(4, kDestroyer4)},
      {Times(2, kDestroyer6)},
      {kDestroyer6},
      {Times(6, {kBattleship, kOgreJuggernaught, 6})},
      {Times(4, {kGnomishSubmarine, kGiantTurtle, 7})},
      {{kHumanTransport, kOrcTransport, 8}},
      {Times(2, {kGnomishFlyingMachine, kGoblinZeppelin, 1})},
  }};
  return levels;
}

bool TakesPart(const GeneratorState& s, int player) {
  return s.settings.PlayerController[player - 1] != kControllerNobody;
}

bool IsActive(const GeneratorState& s, int player) {
  return IsActiveController(s.settings.PlayerController[player - 1]);
}

bool IsRescue(const GeneratorState& s, int player) {
  const uint8_t controller = s.settings.PlayerController[player - 1];
  return controller == kControllerRescuePassive || controller == kControllerRescueActive;
}

// Anything but orc plays human.
bool IsOrc(const GeneratorState& s, int player) { return s.settings.PlayerRace[player - 1] == kRaceOrc; }

uint8_t TypeFor(const GeneratorState& s, int player, const LevelUnit& unit) {
  return IsOrc(s, player) ? unit.orc : unit.human;
}

// Start resources are summed exactly, then capped (and, far below, saturated): never wrapped.
int32_t Capped(int64_t value) {
  if (value >= kStartResourceCap + 1) return kStartResourceCap;
  return static_cast<int32_t>(std::max<int64_t>(value, std::numeric_limits<int32_t>::min()));
}

void SetTownPosition(PlacementContext& placement, int player, int row, int column) {
  placement.TownPosition[player - 1] = CellPosition{static_cast<uint8_t>(row), static_cast<uint8_t>(column)};
}

// What the units that found no room would have cost, per player.
struct Compensation {
  int64_t gold[kPlayers]{};
  int64_t lumber[kPlayers]{};
  int64_t oil[kPlayers]{};

  void Charge(const GeneratorState& s, int player, uint8_t unitType) {
    const int index = SettingsIndexOf(unitType);
    if (index < 0) return;
    gold[player - 1] += int64_t{s.settings.UnitGoldCost[index]} * 10;
    lumber[player - 1] += int64_t{s.settings.UnitLumberCost[index]} * 10;
    oil[player - 1] += int64_t{s.settings.UnitOilCost[index]} * 10;
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
bool PlaceLevel(GeneratorState& s, PlacementContext& placement, int player, const std::vector<LevelUnit>& units,
                Compensation* compensation) {
  bool allPlaced = true;
  const CellPosition town = placement.TownPosition[player - 1];
  for (const LevelUnit& unit : units) {
    const uint8_t type = TypeFor(s, player, unit);
    if (PlaceNear(s, placement, town.row, town.column, unit.size, type, static_cast<uint8_t>(player))) continue;
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

void PlaceHall(GeneratorState& s, PlacementContext& placement, int player, int row, int column) {
  const uint8_t hall = IsOrc(s, player) ? kGreatHall : kTownHall;
  if (!PlaceNear(s, placement, row, column, 4, hall, static_cast<uint8_t>(player)))
    SetTownPosition(placement, player, row, column);
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

void PlaceLevels(GeneratorState& s, PlacementContext& placement, const LevelTable& levels, int firstLevel,
                 bool needPlayersPlaced) {
  Compensation compensation;
  for (int level = firstLevel; level < kLevels; ++level)
    for (int player = 1; player <= kPlayers; ++player) {
      if (!TakesPart(s, player) || s.settings.Difficulty[player - 1] < level) continue;
      if (needPlayersPlaced && !s.settings.PlayersPlaced) continue;
      // Without its start location a player cannot play: the map fails.
      if (level == 0) {
        if (!PlaceLevel(s, placement, player, levels[0], nullptr)) s.settings.PlayersPlaced = 0;
        continue;
      }
      PlaceLevel(s, placement, player, levels[level], &compensation);
    }
  compensation.Pay(s);
}

}  // namespace

void PlaceStartIslandPlayers(GeneratorState& s, PlacementContext& placement) {
  for (int player = 1; player <= kPlayers; ++player) {
    if (!TakesPart(s, player)) continue;
    s.settings.PlayerAI[player - 1] = kAiSeaAttack;
    const CellPosition cell = s.StartCells[player - 1];
    placement.TownPosition[player - 1] = cell;
    const uint8_t owner = static_cast<uint8_t>(player - 1);
    const bool orc = IsOrc(s, player);
    // The worker joins its start location only once that stands.
    if (!PlaceUnit(s, placement, cell.row, cell.column, owner, 1, orc ? kOrcStart : kHumanStart) ||
        !PlaceUnit(s, placement, cell.row, cell.column, owner, 1, orc ? kPeon : kPeasant))
      s.settings.PlayersPlaced = 0;
  }
}

void PlaceTownsAtMines(GeneratorState& s, PlacementContext& placement) {
  CellPool& pool = placement.pool;
  const int mapSize = s.MapSize();
  for (int player = 1; player <= kPlayers; ++player) {
    if (!IsActive(s, player) || pool.PoolCount() == 0) continue;
    const PoolCell cell = TakeRandomCell(s.random, pool);
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
    PlaceHall(s, placement, player, foundRow, foundColumn);
  }
}

void PlaceTownsAtRandom(GeneratorState& s, PlacementContext& placement, bool allPlayers) {
  CellPool& pool = placement.pool;
  const int mapSize = s.MapSize();
  s.settings.PlayersPlaced = 1;
  for (int player = 1; player <= kPlayers; ++player) {
    if (!TakesPart(s, player) || (!allPlayers && !IsRescue(s, player))) continue;
    const PoolCell cell = TakeRandomCell(s.random, pool);
    const int row = std::min(cell.row, mapSize - 3);
    const int column = std::min(cell.column, mapSize - 3);
    PlaceHall(s, placement, player, row, column);
    // A town without a gold mine in walking reach starts richer instead.
    int32_t& gold = s.settings.StartGold[player - 1];
    if (!UnitReachable(s, row, column, kGoldMine) && gold < 600000)
      gold = Capped(int64_t{s.settings.StartLumber[player - 1]} + 1000 + s.random.RandInt(5000));
    gold = Capped(gold);
  }
}

void PlaceStartupUnits(GeneratorState& s, PlacementContext& placement) {
  PlaceLevels(s, placement, StartupLevels(), 0, true);
}

void PlaceNavalUnits(GeneratorState& s, PlacementContext& placement) {
  PlaceLevels(s, placement, NavalLevels(), 1, false);
}

void PlaceCritters(GeneratorState& s, PlacementContext& placement) {
  const int mapSize = s.MapSize();
  auto scatter = [&](int32_t chance, uint8_t player) {
    // Most cells get no critter: their draws come from a copy of the
    // sequence that stays in registers, handed back before a critter's
    // search (which draws too) and taken up again after it.
    Random random = s.random;
    for (int row = 1; row <= mapSize; ++row)
      for (int column = 1; column <= mapSize; ++column) {
        if (random.RandInt(400) >= chance) continue;
        // A symmetric run's closed cells get their critters as images instead.
        if (s.OccupancyGrid(row, column) == kOutsideSectorMark) continue;
        s.random = random;
        PlaceNear(s, placement, row, column, 1, kCritter, player);
        random = s.random;
      }
    s.random = random;
  };
  for (int player = 1; player <= kPlayers; ++player)
    if (s.settings.CrittersPlayer[player - 1] >= 1)
      scatter(s.settings.CrittersPlayer[player - 1], static_cast<uint8_t>(player));
  if (s.settings.CrittersNormal >= 1) scatter(s.settings.CrittersNormal, kNeutralPlayer);
}

void PlaceTownPhase(GeneratorState& s, PlacementContext& placement) {
  CellPool& pool = placement.pool;
  pool.PoolInit(s.MapSize());
  if (pool.PoolCount() == 0) return;
  if (s.StartIslandsMode) {
    PlaceStartIslandPlayers(s, placement);
    PlaceNavalUnits(s, placement);
    return;
  }
  if (placement.MinesPlaced >= CountActivePlayers(s)) {
    PlaceTownsAtMines(s, placement);
    PlaceTownsAtRandom(s, placement, false);
  } else {
    PlaceTownsAtRandom(s, placement, true);
  }
}

void PlaceUnitPhase(GeneratorState& s, PlacementContext& placement) {
  CellPool& pool = placement.pool;
  PlaceStartupUnits(s, placement);
  if (pool.PoolCount() > 0 && NavalUnitsWanted(s)) PlaceNavalUnits(s, placement);
  if (pool.PoolCount() > 0) PlaceCritters(s, placement);
}

}  // namespace glenmire
