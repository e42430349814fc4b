// Gold mines and oil patches, then the players phase (players.cpp). Runs after
// the movement map; the run has emptied the unit list and the marks.
#include "placement/resources.h"

#include <algorithm>
#include <vector>

#include "core/cell_pool.h"
#include "core/unit_types.h"
#include "placement/unit_list.h"

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

// The cells of the map marked as gold mines while the mines go down, so the
// spacing test for a drawn cell looks at the sites instead of scanning the
// square around it. The marks are boxes: each marked cell the map held when
// the phase began, and the 3x3 square of every mine and reserved site placed
// since (both mark kGoldMine). Nothing in the phase clears a mark, so these
// are all of them; a cell within the clamped square holds the mark exactly
// when a box reaches into the unclamped one, as every box lies on the map.
class GoldMarks {
 public:
  explicit GoldMarks(const GeneratorState& s) {
    const int mapSize = s.MapSize();
    for (int r = 1; r <= mapSize; ++r)
      for (int c = 1; c <= mapSize; ++c)
        if (s.OccupancyGrid(r, c) == kGoldMine) boxes_.push_back(Box{r, c, r, c});
  }

  void AddSite(int row, int column, int size) { boxes_.push_back(Box{row, column, row + size - 1, column + size - 1}); }

  // MarkWithin(s, row, column, spacing, kGoldMine), by the boxes or, when
  // there are more boxes than cells in the square, by the square itself.
  bool Within(const GeneratorState& s, int row, int column, int spacing) const {
    const int64_t side = 2 * int64_t{spacing} + 1;
    if (static_cast<int64_t>(boxes_.size()) > side * side) return MarkWithin(s, row, column, spacing, kGoldMine);
    for (const Box& b : boxes_)
      if (b.top <= row + spacing && b.bottom >= row - spacing && b.left <= column + spacing &&
          b.right >= column - spacing)
        return true;
    return false;
  }

 private:
  struct Box {
    int top, left, bottom, right;
  };
  std::vector<Box> boxes_;
};

constexpr uint8_t kMineSize = 3;

}  // namespace

int CountActivePlayers(const GeneratorState& s) {
  int active = 0;
  for (uint8_t controller : s.settings.PlayerController)
    if (IsActiveController(controller)) ++active;
  return active;
}

void PlaceGoldMines(GeneratorState& s, PlacementContext& placement, uint16_t goldGround) {
  CellPool& pool = placement.pool;
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

  GoldMarks marks(s);
  for (int j = 1; j <= total; ++j) {
    bool placed = false;
    while (!placed && pool.PoolCount() >= 4) {
      bool drawn = false;
      PoolCell cell{};
      while (!drawn && pool.PoolCount() > 0) {
        cell = TakeRandomCell(s.random, pool);
        drawn = cell.row >= 4 && cell.row <= mapSize - 4 && cell.column >= 4 && cell.column <= mapSize - 4;
      }
      if (!drawn) break;
      if (marks.Within(s, cell.row, cell.column, spacing)) continue;
      if (!AllTiles(s, cell.row, cell.column, cell.row + kMineSize - 1, cell.column + kMineSize - 1, goldGround))
        continue;
      const uint8_t site = j <= goldMines ? kGoldMine : kReservedMineSite;
      placed = PlaceUnit(s, placement, cell.row, cell.column, kNeutralOwner, kMineSize, site);
      if (placed) marks.AddSite(cell.row, cell.column, kMineSize);
    }
  }
}

void PlaceOilPatches(GeneratorState& s, PlacementContext& placement, uint16_t oilGround) {
  CellPool& pool = placement.pool;
  const int mapSize = s.MapSize();
  const int patches = s.settings.OilPatches;
  if (patches < 1) return;
  const int divisor = 2 * patches;
  const int spacing = std::max(mapSize / divisor, 64 / divisor);

  for (int patch = 1; patch <= patches; ++patch) {
    for (int draw = 0; draw < mapSize * mapSize && pool.PoolCount() > 0; ++draw) {
      const PoolCell cell = TakeRandomCell(s.random, pool);
      // Patches stand on even rows and columns, clear of the south and east edges.
      int row = std::min(cell.row, mapSize - 5);
      int column = std::min(cell.column, mapSize - 5);
      if (row % 2 != 0) ++row;
      if (column % 2 != 0) ++column;
      if (MarkWithin(s, row, column, spacing, kOilPatch)) continue;
      // The patch and a ring of one cell around it must all be open ground.
      if (!AllTiles(s, row - 1, column - 1, row + 3, column + 3, oilGround)) continue;
      PlaceUnit(s, placement, row, column, kNeutralOwner, 3, kOilPatch);
      break;
    }
  }
}

void PlaceGoldPhase(GeneratorState& s, PlacementContext& placement) {
  CellPool& pool = placement.pool;
  pool.PoolInit(s.MapSize());
  const bool reverse = s.settings.ReverseLandAndWaterProperties != 0;
  const uint16_t goldGround = reverse ? kOpenWater : (s.settings.BuildOnSand ? kCoast : kGrass);
  placement.MinesPlaced = 0;
  if (!s.StartIslandsMode) PlaceGoldMines(s, placement, goldGround);
}

void PlaceOilPhase(GeneratorState& s, PlacementContext& placement) {
  CellPool& pool = placement.pool;
  pool.PoolInit(s.MapSize());
  const bool reverse = s.settings.ReverseLandAndWaterProperties != 0;
  PlaceOilPatches(s, placement, reverse ? kGrass : kOpenWater);
}

}  // namespace glenmire
