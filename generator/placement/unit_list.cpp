// Adds records to UnitList and marks OccupancyGrid. The run empties the list
// and the occupancy marks before placement starts.
#include "placement/unit_list.h"

#include <algorithm>
#include <cstring>

#include "core/unit_types.h"

namespace glenmire {

namespace {

bool SquareIsFree(const GeneratorState& s, int row, int column, int size) {
  for (int r = row; r < row + size; ++r)
    for (int c = column; c < column + size; ++c) {
      const uint8_t mark = s.OccupancyGrid(r, c);
      // Units may stand on a start location's square, nowhere else that is taken.
      if (mark != 0 && mark != kHumanStart && mark != kOrcStart) return false;
    }
  return true;
}

void MarkSquare(GeneratorState& s, int row, int column, int size, uint8_t mark) {
  for (int r = row; r < row + size; ++r)
    for (int c = column; c < column + size; ++c) s.OccupancyGrid(r, c) = mark;
}

void Put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value & 0xFF);
  at[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

void CloseUnitList(GeneratorState& s) {
  // A full list has no room left for the closing bytes; they are never written
  // to the map file, so only what fits is cleared.
  const int start = std::clamp(s.UnitListLength, 0, kUnitListBytes);
  const int count = std::min(kUnitListClosingBytes, kUnitListBytes - start);
  std::memset(s.UnitList + start, 0, static_cast<std::size_t>(count));
}

bool PlaceUnit(GeneratorState& s, PlacementContext& placement, int32_t row, int32_t column, uint8_t owner, uint8_t size,
               uint8_t unitType) {
  if (unitType == kCloseListType) {
    CloseUnitList(s);
    return true;
  }
  if (row < 1 || column < 1 || row + size - 1 > kMaxMapSize || column + size - 1 > kMaxMapSize) return false;
  if (!SquareIsFree(s, row, column, size)) return false;

  if (unitType == kReservedMineSite) {
    MarkSquare(s, row, column, size, kGoldMine);
    ++placement.MinesPlaced;
    return true;
  }

  if (!UnitListHasRoom(s)) return false;
  uint16_t data = 0;
  if (unitType == kGoldMine) data = static_cast<uint8_t>(s.settings.GoldAmount);
  if (unitType == kOilPatch) data = static_cast<uint8_t>(s.settings.OilAmount);
  uint8_t* record = s.UnitList + s.UnitListLength;
  Put16(record, static_cast<uint16_t>(column - 1));
  Put16(record + 2, static_cast<uint16_t>(row - 1));
  record[4] = unitType;
  record[5] = owner;
  Put16(record + 6, data);
  s.UnitListLength += kUnitRecordBytes;

  MarkSquare(s, row, column, size, unitType == 0 ? kTypeZeroMark : unitType);
  // A neutral hall has no player to keep a town position for.
  if ((unitType == kTownHall || unitType == kGreatHall) && owner < kPlayers)
    placement.TownPosition[owner] = CellPosition{static_cast<uint8_t>(row), static_cast<uint8_t>(column)};
  if (unitType == kGoldMine) ++placement.MinesPlaced;
  return true;
}

}  // namespace glenmire
