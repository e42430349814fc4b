// The site search of the players phase. Reads TerrainGrid, OccupancyGrid and
// the settings; draws four random numbers per PlaceNear, before its walk.
#include "placement/site_search.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/cell_stack.h"
#include "placement/unit_list.h"
#include "core/unit_types.h"

namespace glenmire {

namespace {

enum class MoveClass { kLand, kWater, kAir };

MoveClass ClassOf(uint8_t unitType) {
  if (IsShip(unitType)) return MoveClass::kWater;
  if (IsAircraft(unitType)) return MoveClass::kAir;
  return MoveClass::kLand;
}

constexpr uint16_t kDeepestWaterTile = 0x29;
constexpr uint16_t kHighestBuildTile = 0x69;
constexpr uint16_t kLowestGrassBuildTile = 0x49;

bool WaterRuleHolds(const GeneratorState& s, int row, int column, int size) {
  const int mapSize = s.MapSize();
  for (int r = row; r < row + size; ++r)
    for (int c = column; c < column + size; ++c)
      if (!InsideMap(mapSize, r, c) || s.TerrainGrid(r, c) > kDeepestWaterTile) return false;
  return true;
}

bool SingleCellLandHolds(const GeneratorState& s, int row, int column) {
  if (!InsideMap(s.MapSize(), row, column)) return false;
  const uint16_t v = s.TerrainGrid(row, column);
  if (v <= kDeepestWaterTile) return false;
  if (v >= 0x70 && v <= 0x100) return false;  // forest and rock
  if (v >= 0x200 && v <= 0x2FF) return false;
  if (v >= 0x400 && v <= 0x4FF) return false;
  if (v >= 0x700 && v <= 0x7FF) return false;
  return true;
}

// Whether any of columns left..right of the row holds the gold-mine mark.
bool GoldInRow(const GeneratorState& s, int row, int left, int right) {
  const uint8_t* marks = &s.OccupancyGrid(row, 1);
  bool found = false;
  for (int c = left; c <= right; ++c) found |= marks[c - 1] == kGoldMine;
  return found;
}

// Buildings need build ground under them and keep clear of gold mines by a
// ring that widens with the map. The ground is looked at first, then the
// ring row by row; the answer is the same in any order.
bool SquareLandHolds(const GeneratorState& s, int row, int column, int size) {
  const int mapSize = s.MapSize();
  const int m = mapSize / 32;
  const int top = row - m, left = column - m, bottom = row + size - 1 + m, right = column + size - 1 + m;
  if (!InsideMap(mapSize, top, left) || !InsideMap(mapSize, bottom, right)) return false;
  const uint16_t lowest = s.settings.BuildOnSand ? kDeepestWaterTile : kLowestGrassBuildTile;
  for (int r = row; r < row + size; ++r) {
    const uint16_t* tiles = &s.TerrainGrid(r, 1);
    bool fits = true;
    for (int c = column; c < column + size; ++c) fits &= tiles[c - 1] >= lowest && tiles[c - 1] <= kHighestBuildTile;
    if (!fits) return false;
  }
  for (int r = top; r <= bottom; ++r) {
    const bool besideSquare = r >= row && r < row + size;
    if (besideSquare ? GoldInRow(s, r, left, column - 1) || GoldInRow(s, r, column + size, right)
                     : GoldInRow(s, r, left, right))
      return false;
  }
  return true;
}

bool UsesWaterRule(const GeneratorState& s, MoveClass moveClass) {
  const bool reverse = s.settings.ReverseLandAndWaterProperties != 0;
  return (moveClass == MoveClass::kWater) != reverse;
}

bool TerrainRuleHolds(const GeneratorState& s, int row, int column, int size, MoveClass moveClass) {
  if (UsesWaterRule(s, moveClass)) return WaterRuleHolds(s, row, column, size);
  if (size <= 1) return SingleCellLandHolds(s, row, column);
  return SquareLandHolds(s, row, column, size);
}

bool IsOdd(int value) { return value % 2 != 0; }

// Headings in left-turn order: a left turn is the next one, a right turn the one before.
enum Heading { kWest = 0, kSouth = 1, kEast = 2, kNorth = 3 };
constexpr int kRowStep[4] = {0, 1, 0, -1};
constexpr int kColumnStep[4] = {-1, 0, 1, 0};
int LeftOf(int heading) { return (heading + 1) % 4; }
int RightOf(int heading) { return (heading + 3) % 4; }

// Visited marks by walk number: a cell is visited when it holds the number
// of the current walk, so a new walk starts with no cell visited without
// clearing anything. The marks stay with the thread between walks, so a walk
// allocates nothing.
class WalkMarks {
 public:
  explicit WalkMarks(std::size_t cells) : marks_(cells, 0) {}
  void NewWalk() {
    if (++walk_ != 0) return;
    std::fill(marks_.begin(), marks_.end(), uint16_t{0});  // the numbers came round again
    walk_ = 1;
  }
  bool Marked(std::size_t i) const { return marks_[i] == walk_; }
  void Mark(std::size_t i) { marks_[i] = walk_; }

 private:
  std::vector<uint16_t> marks_;
  uint16_t walk_ = 0;
};

// The widest window a spiral walk marks: on the largest map.
constexpr int WindowHalf(int mapSize) { return std::max(mapSize / 4, 4) + 2; }
constexpr int kMaxWindowSide = 2 * WindowHalf(kMaxMapSize) + 1;

// Visited marks of one spiral walk. The walk may leave the map near its
// edges, so the marks cover a window around the target a little wider than
// the give-up limit.
class VisitedWindow {
 public:
  VisitedWindow(int centreRow, int centreColumn, int half)
      : top_(centreRow - half), left_(centreColumn - half), side_(2 * half + 1), marks_(Marks()) {
    marks_.NewWalk();
  }

  bool Covers(int row, int column) const {
    return row >= top_ && row < top_ + side_ && column >= left_ && column < left_ + side_;
  }
  bool Visited(int row, int column) const { return marks_.Marked(Index(row, column)); }
  void Mark(int row, int column) { marks_.Mark(Index(row, column)); }

 private:
  static WalkMarks& Marks() {
    thread_local WalkMarks marks(static_cast<std::size_t>(kMaxWindowSide) * kMaxWindowSide);
    return marks;
  }
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row - top_) * side_ + static_cast<std::size_t>(column - left_);
  }
  int top_, left_, side_;
  WalkMarks& marks_;
};

bool IsWalkable(uint16_t tile) {
  if (tile >= 0x10 && tile <= 0x19) return false;
  if ((tile >= 0x30 && tile <= 0x39) || (tile >= 0x50 && tile <= 0x59)) return true;
  if ((tile >= 0x70 && tile <= 0x79) || (tile >= 0x80 && tile <= 0x89)) return false;
  if (tile >= 0x700) return false;
  if (tile >= 0x500) return true;
  if (tile >= 0x400) return false;
  if (tile >= 0x100) return true;
  return false;
}

// Places the unit on a candidate cell; a start location brings its worker,
// which only goes down once the start location itself stands.
bool PlaceOnCandidate(GeneratorState& s, int row, int column, uint8_t size, uint8_t unitType, uint8_t player) {
  const uint8_t owner = static_cast<uint8_t>(player - 1);
  if (!PlaceUnit(s, row, column, owner, size, unitType)) return false;
  if (unitType == kHumanStart) return PlaceUnit(s, row, column, owner, 1, kPeasant);
  if (unitType == kOrcStart) return PlaceUnit(s, row, column, owner, 1, kPeon);
  return true;
}

}  // namespace

bool SiteSuits(const GeneratorState& s, int32_t row, int32_t column, uint8_t size, uint8_t unitType) {
  const MoveClass moveClass = ClassOf(unitType);
  if (moveClass != MoveClass::kLand && (!IsOdd(row) || !IsOdd(column))) return false;
  return TerrainRuleHolds(s, row, column, size, moveClass);
}

bool PlaceNear(GeneratorState& s, int32_t row, int32_t column, uint8_t size, uint8_t unitType, uint8_t player) {
  const int mapSize = s.MapSize();
  const MoveClass moveClass = ClassOf(unitType);
  const bool oddCellsOnly = moveClass != MoveClass::kLand;
  const bool isTown = unitType == kTownHall || unitType == kGreatHall;

  const int row0 = std::min(std::max(row, static_cast<int32_t>(size)), mapSize - size);
  const int column0 = std::min(std::max(column, static_cast<int32_t>(size)), mapSize - size);

  // The start is shifted by up to 4 cells each way, row first.
  int d = s.random.RandInt(5);
  int r = s.random.RandInt(100) > 50 ? row0 + d : row0 - d;
  d = s.random.RandInt(5);
  int c = s.random.RandInt(100) > 50 ? column0 + d : column0 - d;

  // The walk gives up beyond a quarter of the map side from the target.
  auto beyondLimit = [&](int rr, int cc) {
    return 4 * std::abs(rr - row0) > mapSize || 4 * std::abs(cc - column0) > mapSize;
  };
  VisitedWindow visited(row0, column0, WindowHalf(mapSize));

  int heading = kNorth;
  int fallback = kNorth;
  bool turn = true;
  int blockedInARow = 0;
  const int64_t maxSteps = 16 * static_cast<int64_t>(mapSize) * mapSize;
  for (int64_t step = 0; step < maxSteps; ++step) {
    if (turn) {
      fallback = RightOf(heading);
      heading = LeftOf(heading);
    }
    turn = false;
    // The band keeps the unit's square clear of the map's edges; west-bound
    // walkers keep one more cell away.
    const int low = heading == kWest ? size + 1 : size;
    const int high = heading == kWest ? mapSize - size - 1 : mapSize - size;
    const bool inBand = r >= low && r <= high && c >= low && c <= high;

    // Outside the band the walker keeps spiralling, but a cell it reaches from
    // there is never taken.
    const int nextRow = r + kRowStep[heading], nextColumn = c + kColumnStep[heading];
    if (!visited.Covers(nextRow, nextColumn)) return false;
    bool candidate = false;
    if (!visited.Visited(nextRow, nextColumn)) {
      r = nextRow;
      c = nextColumn;
      candidate = inBand;
      blockedInARow = 0;
    } else {
      heading = fallback;
      // Left, ahead, right and back all visited: the walker can go nowhere new.
      if (++blockedInARow >= 4) return false;
    }
    turn = true;
    visited.Mark(r, c);

    if (beyondLimit(r, c)) return false;
    if (oddCellsOnly && (!IsOdd(r) || !IsOdd(c))) candidate = false;
    if (!candidate) continue;
    // A town keeps some distance from the mine it was sent to.
    if (isTown && std::abs(r - row0) < 6 && std::abs(c - column0) < 6) continue;
    if (!TerrainRuleHolds(s, r, c, size, moveClass)) continue;
    if (PlaceOnCandidate(s, r, c, size, unitType, player)) return true;
  }
  return false;
}

bool UnitReachable(GeneratorState& s, int32_t row, int32_t column, uint8_t unitType) {
  const int mapSize = s.MapSize();
  // The walk's marks and pending cells stay with the thread from walk to walk.
  thread_local WalkMarks visited(static_cast<std::size_t>(kGridCells));
  thread_local CellStack pending;
  visited.NewWalk();
  StackInit(pending);
  auto index = [](int r, int c) { return static_cast<std::size_t>((r - 1) * kMaxMapSize + (c - 1)); };

  if (InsideMap(mapSize, row, column)) visited.Mark(index(row, column));
  StackPush(pending, row, column);
  StackCell cell;
  while (StackPop(pending, cell)) {
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc) {
        const int r = cell.row + dr, c = cell.column + dc;
        if ((dr == 0 && dc == 0) || !InsideMap(mapSize, r, c) || visited.Marked(index(r, c))) continue;
        visited.Mark(index(r, c));
        if (s.OccupancyGrid(r, c) == unitType) return true;
        if (IsWalkable(s.TerrainGrid(r, c))) StackPush(pending, r, c);
      }
  }
  return false;
}

}  // namespace glenmire
