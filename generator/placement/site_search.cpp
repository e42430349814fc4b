// The site search of the players phase. Reads TerrainGrid, OccupancyGrid and
// the settings; draws four random numbers per PlaceNear, before its walk.
#include "placement/site_search.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "core/cell_stack.h"
#include "core/unit_types.h"
#include "placement/unit_list.h"

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

// Tiles a single land cell may stand on: not water, forest, rock, or the
// coast, mountain and forest edges.
constexpr int kTilesWithRules = 0x800;
constexpr std::array<bool, kTilesWithRules> kSingleLandTiles = [] {
  std::array<bool, kTilesWithRules> holds{};
  for (int v = 0; v < kTilesWithRules; ++v)
    holds[v] = !(v <= kDeepestWaterTile || (v >= 0x70 && v <= 0x100) || (v >= 0x200 && v <= 0x2FF) ||
                 (v >= 0x400 && v <= 0x4FF) || (v >= 0x700 && v <= 0x7FF));
  return holds;
}();

bool SingleCellLandHolds(const GeneratorState& s, int row, int column) {
  if (!InsideMap(s.MapSize(), row, column)) return false;
  const uint16_t v = s.TerrainGrid(row, column);
  return v >= kTilesWithRules || kSingleLandTiles[v];
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
// ring row by row; the answer is the same in any order. What depends only on
// the map and the size is worked out once, for a whole walk.
class SquareLandRule {
 public:
  SquareLandRule(const GeneratorState& s, int size)
      : s_(s),
        size_(size),
        ring_(s.MapSize() / 32),
        // The ring on the map: a corner from ring + 1 to side - size + 1 - ring.
        first_(ring_ + 1),
        places_(s.MapSize() - size + 1 - ring_ - first_),
        lowest_(s.settings.BuildOnSand ? kDeepestWaterTile : kLowestGrassBuildTile) {}

  bool operator()(int row, int column) const {
    if (places_ < 0 || static_cast<unsigned>(row - first_) > static_cast<unsigned>(places_) ||
        static_cast<unsigned>(column - first_) > static_cast<unsigned>(places_))
      return false;
    const unsigned above = kHighestBuildTile - lowest_;  // a tile less `lowest`, taken unsigned, may not exceed it
    for (int r = row; r < row + size_; ++r) {
      const uint16_t* tiles = &s_.TerrainGrid(r, column);
      for (int c = 0; c < size_; ++c)
        if (static_cast<unsigned>(tiles[c] - lowest_) > above) return false;
    }
    const int top = row - ring_, left = column - ring_, bottom = row + size_ - 1 + ring_,
              right = column + size_ - 1 + ring_;
    for (int r = top; r <= bottom; ++r) {
      const bool besideSquare = r >= row && r < row + size_;
      if (besideSquare ? GoldInRow(s_, r, left, column - 1) || GoldInRow(s_, r, column + size_, right)
                       : GoldInRow(s_, r, left, right))
        return false;
    }
    return true;
  }

 private:
  const GeneratorState& s_;
  int size_, ring_, first_, places_;
  uint16_t lowest_;
};

bool SquareLandHolds(const GeneratorState& s, int row, int column, int size) {
  return SquareLandRule(s, size)(row, column);
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

// The spiral walk. Each step the walker turns left and moves on if that cell
// is new to it; otherwise it takes back the turn, going straight on the next
// step, and stays where it is. It marks every cell it stands on after a step
// (the start only once it comes back to it). The cells it walks depend on
// nothing but the walk itself, so the moves are worked out once, as offsets
// from the start, and a search only tests the cells they reach.
struct SpiralMove {
  int8_t fromRow, fromColumn;  // where the move starts, from the walk's start
  int8_t row, column;          // where it ends
  uint8_t heading;
  uint16_t step;  // the walk's step (from 0) that makes it
};

// Half the side of the window a walk may move in, around its target; a move
// that would leave it ends the walk.
constexpr int WindowHalf(int mapSize) { return std::max(mapSize / 4, 4) + 2; }
// A walk starts at most 4 cells from its target, so by this distance from
// its start every walk has left its window.
constexpr int kSpiralReach = WindowHalf(kMaxMapSize) + 4 + 1;
constexpr int kSpiralCells = (2 * kSpiralReach + 1) * (2 * kSpiralReach + 1);

struct Spiral {
  std::array<SpiralMove, kSpiralCells> moves{};
  int count = 0;
};

// The walk's moves up to the first that reaches kSpiralReach from the start.
constexpr Spiral MakeSpiral() {
  constexpr int kRowStep[4] = {0, 1, 0, -1};
  constexpr int kColumnStep[4] = {-1, 0, 1, 0};
  constexpr int kSide = 2 * kSpiralReach + 3;
  std::array<bool, kSide * kSide> visited{};
  auto at = [](int r, int c) { return (r + kSpiralReach + 1) * kSide + (c + kSpiralReach + 1); };
  Spiral spiral;
  int heading = kNorth, fallback = kNorth, r = 0, c = 0;
  bool turn = true;
  for (int step = 0;; ++step) {
    if (turn) {
      fallback = (heading + 3) % 4;  // right of the heading
      heading = (heading + 1) % 4;   // left of it
    }
    const int nextRow = r + kRowStep[heading], nextColumn = c + kColumnStep[heading];
    if (!visited[at(nextRow, nextColumn)]) {
      spiral.moves[spiral.count++] =
          SpiralMove{static_cast<int8_t>(r),          static_cast<int8_t>(c),        static_cast<int8_t>(nextRow),
                     static_cast<int8_t>(nextColumn), static_cast<uint8_t>(heading), static_cast<uint16_t>(step)};
      r = nextRow;
      c = nextColumn;
      if (std::max(r < 0 ? -r : r, c < 0 ? -c : c) >= kSpiralReach)
        return spiral;  // std::abs is not constexpr everywhere
    } else {
      heading = fallback;
      // The cell straight on is always new, so the walker is never stuck.
      if (step > 0 && spiral.moves[spiral.count - 1].step != step - 1) throw "two blocked steps in a row";
    }
    turn = true;
    visited[at(r, c)] = true;
  }
}

constexpr Spiral kSpiral = MakeSpiral();

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
bool PlaceOnCandidate(GeneratorState& s, PlacementContext& placement, int row, int column, uint8_t size,
                      uint8_t unitType, uint8_t player) {
  const uint8_t owner = static_cast<uint8_t>(player - 1);
  if (!PlaceUnit(s, placement, row, column, owner, size, unitType)) return false;
  if (unitType == kHumanStart) return PlaceUnit(s, placement, row, column, owner, 1, kPeasant);
  if (unitType == kOrcStart) return PlaceUnit(s, placement, row, column, owner, 1, kPeon);
  return true;
}

}  // namespace

bool SiteSuits(const GeneratorState& s, int32_t row, int32_t column, uint8_t size, uint8_t unitType) {
  const MoveClass moveClass = ClassOf(unitType);
  if (moveClass != MoveClass::kLand && (!IsOdd(row) || !IsOdd(column))) return false;
  return TerrainRuleHolds(s, row, column, size, moveClass);
}

bool PlaceNear(GeneratorState& s, PlacementContext& placement, int32_t row, int32_t column, uint8_t size,
               uint8_t unitType, uint8_t player) {
  const int mapSize = s.MapSize();
  const MoveClass moveClass = ClassOf(unitType);
  const bool oddCellsOnly = moveClass != MoveClass::kLand;
  const bool isTown = unitType == kTownHall || unitType == kGreatHall;

  const int row0 = std::min(std::max(row, static_cast<int32_t>(size)), mapSize - size);
  const int column0 = std::min(std::max(column, static_cast<int32_t>(size)), mapSize - size);

  // The start is shifted by up to 4 cells each way, row first.
  int d = s.random.RandInt(5);
  const int startRow = s.random.RandInt(100) > 50 ? row0 + d : row0 - d;
  d = s.random.RandInt(5);
  const int startColumn = s.random.RandInt(100) > 50 ? column0 + d : column0 - d;
  // With the unit list full no candidate can take the unit: the walk, which
  // draws nothing, would only spiral to its limit.
  if (!UnitListHasRoom(s)) return false;

  // The walk ends on a move out of its window or beyond a quarter of the
  // map side from the target, whichever comes first: the quarter, as the
  // window reaches at least two cells past it. Offsets below are from the target.
  const int reach = mapSize / 4;  // 4 * |offset| > mapSize exactly when |offset| > reach
  const auto across = static_cast<unsigned>(2 * reach);
  const int rowShift = startRow - row0, columnShift = startColumn - column0;
  // It also ends after 16 x side x side steps, which only the smallest maps reach.
  const int64_t maxSteps = 16 * static_cast<int64_t>(mapSize) * mapSize;
  const int moves =
      static_cast<int>(std::partition_point(kSpiral.moves.begin(), kSpiral.moves.begin() + kSpiral.count,
                                            [maxSteps](const SpiralMove& m) { return m.step < maxSteps; }) -
                       kSpiral.moves.begin());
  // The band keeps the unit's square clear of the map's edges; west-bound
  // walkers keep one more cell away. Outside the band the walker keeps
  // spiralling, but a cell it reaches from there is never taken. As offsets
  // from the walk's start: a move starts in the band when its start less
  // the band's low end, taken unsigned, is at most the band's span.
  struct Band {
    int rowLow, columnLow;
    unsigned span;
  };
  auto bandOf = [&](int low, int high) {
    if (high < low) return Band{kSpiralReach + 1, kSpiralReach + 1, 0};  // no start reaches it
    return Band{low - startRow, low - startColumn, static_cast<unsigned>(high - low)};
  };
  const Band bands[2] = {bandOf(size, mapSize - size), bandOf(size + 1, mapSize - size - 1)};

  auto walk = [&](auto holds) {
    for (int i = 0; i < moves; ++i) {
      const SpiralMove& move = kSpiral.moves[i];
      const int dr = move.row + rowShift, dc = move.column + columnShift;
      if (static_cast<unsigned>(dr + reach) > across || static_cast<unsigned>(dc + reach) > across) return false;
      const Band& band = bands[move.heading == kWest];
      if (static_cast<unsigned>(move.fromRow - band.rowLow) > band.span ||
          static_cast<unsigned>(move.fromColumn - band.columnLow) > band.span)
        continue;
      const int r = row0 + dr, c = column0 + dc;
      if (oddCellsOnly && (!IsOdd(r) || !IsOdd(c))) continue;
      // A town keeps some distance from the mine it was sent to.
      if (isTown && std::abs(dr) < 6 && std::abs(dc) < 6) continue;
      if (!holds(r, c)) continue;
      if (PlaceOnCandidate(s, placement, r, c, size, unitType, player)) return true;
    }
    return false;
  };
  if (UsesWaterRule(s, moveClass)) return walk([&](int r, int c) { return WaterRuleHolds(s, r, c, size); });
  if (size <= 1) return walk([&](int r, int c) { return SingleCellLandHolds(s, r, c); });
  return walk(SquareLandRule(s, size));
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
