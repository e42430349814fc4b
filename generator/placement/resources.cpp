// Gold mines and oil patches, then the players phase (players.cpp). Runs after
// the movement map; the driver has emptied the unit list and the marks.
#include "placement/resources.h"

#include <algorithm>

#include "placement/random_cell.h"
#include "placement/unit_list.h"
#include "core/unit_types.h"

namespace glenmire {

namespace {

// Whether any cell within `spacing` rows and columns (clamped to the map) holds `mark`.
bool MarkWithin(const GeneratorState& s, int row, int column, int spacing, uint8_t mark) {
  const int mapSize = s.MapSize();
  const int top = std::max(row - spacing, 1), bottom = std::min(row + spacing, mapSize);
  const int left = std::max(column - spacing, 1), right = std::min(column + spacing, mapSize);
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      if (s.OccupancyGrid(r, c) == mark) return true;
  return false;
}

// Whether every cell of rows top..bottom, columns left..right is inside the map and holds `tile`.
bool AllTiles(const GeneratorState& s, int top, int left, int bottom, int right, uint16_t tile) {
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      if (!InsideMap(s.MapSize(), r, c) || s.TerrainGrid(r, c) != tile) return false;
  return true;
}

}  // namespace

int CountActivePlayers(const GeneratorState& s) {
  int active = 0;
  for (uint8_t controller : s.settings.PlayerController)
    if (controller == kControllerComputer || controller == kControllerHuman) ++active;
  return active;
}

void PlaceGoldMines(GeneratorState& s, CellPool& pool, uint16_t goldGround) {
  const int mapSize = s.MapSize();
  // Every active player gets a mine site even when fewer mines are asked for;
  // those beyond the count are reserved sites without a mine.
  const int goldMines = s.settings.GoldMines;
  const int total = goldMines + std::max(CountActivePlayers(s) - goldMines, 0);
  if (total <= 0) return;
  const int divisor = 2 * total;
  int minimumSpacing = 64 / total;
  if (mapSize > 64) minimumSpacing *= 2;
  const int spacing = std::max(mapSize / divisor, minimumSpacing);

  for (int j = 1; j <= total; ++j) {
    bool placed = false;
    while (!placed && pool.PoolCount() >= 4) {
      bool drawn = false;
      PoolCell cell{};
      while (!drawn && pool.PoolCount() > 0) {
        cell = TakeRandomCell(s, pool);
        drawn = cell.row >= 4 && cell.row <= mapSize - 4 && cell.column >= 4 && cell.column <= mapSize - 4;
      }
      if (!drawn) break;
      if (MarkWithin(s, cell.row, cell.column, spacing, kGoldMine)) continue;
      if (!AllTiles(s, cell.row, cell.column, cell.row + 2, cell.column + 2, goldGround)) continue;
      placed = PlaceUnit(s, cell.row, cell.column, kNeutralOwner, 3, j <= goldMines ? kGoldMine : kReservedMineSite);
    }
  }
}

void PlaceOilPatches(GeneratorState& s, CellPool& pool, uint16_t oilGround) {
  const int mapSize = s.MapSize();
  const int patches = s.settings.OilPatches;
  if (patches < 1) return;
  const int divisor = 2 * patches;
  const int spacing = std::max(mapSize / divisor, 64 / divisor);

  for (int patch = 1; patch <= patches; ++patch) {
    for (int draw = 0; draw < mapSize * mapSize && pool.PoolCount() > 0; ++draw) {
      const PoolCell cell = TakeRandomCell(s, pool);
      // Patches stand on even rows and columns, clear of the south and east edges.
      int row = std::min(cell.row, mapSize - 5);
      int column = std::min(cell.column, mapSize - 5);
      if (row % 2 != 0) ++row;
      if (column % 2 != 0) ++column;
      if (MarkWithin(s, row, column, spacing, kOilPatch)) continue;
      // The patch and a ring of one cell around it must all be open ground.
      if (!AllTiles(s, row - 1, column - 1, row + 3, column + 3, oilGround)) continue;
      PlaceUnit(s, row, column, kNeutralOwner, 3, kOilPatch);
      break;
    }
  }
}

void PlaceGoldPhase(GeneratorState& s, CellPool& pool) {
  pool.PoolInit(s.MapSize());
  const bool reverse = s.settings.ReverseLandAndWaterProperties != 0;
  const uint16_t goldGround = reverse ? kOpenWater : (s.settings.BuildOnSand ? kCoast : kGrass);
  s.MinesPlaced = 0;
  if (!s.StartIslandsMode) PlaceGoldMines(s, pool, goldGround);
}

void PlaceOilPhase(GeneratorState& s, CellPool& pool) {
  pool.PoolInit(s.MapSize());
  const bool reverse = s.settings.ReverseLandAndWaterProperties != 0;
  PlaceOilPatches(s, pool, reverse ? kGrass : kOpenWater);
}

}  // namespace glenmire
