// The map's unit list and the one operation that adds to it. PlaceUnit keeps
// OccupancyGrid and the placement context (MinesPlaced, the town positions) in step with the list.
#pragma once

#include <cstdint>

#include "core/generator_state.h"
#include "placement/placement_context.h"

namespace glenmire {

// Marks a 3x3 site like a gold mine for a player beyond the configured mine
// count, without a record.
inline constexpr uint8_t kReservedMineSite = 153;

// Bytes written after the last record when the list is closed.
inline constexpr int kUnitListClosingBytes = 9;

// One 8-byte record of the list, decoded: 1-based row and column of its
// top-left cell, the game's unit type, owner (0..7, 15 neutral) and data
// (a mine's or patch's amount setting).
struct UnitRecord {
  int row;
  int column;
  uint8_t type;
  uint8_t owner;
  uint16_t data;
};

inline UnitRecord DecodeUnitRecord(const uint8_t* bytes) {
  return {(bytes[2] | bytes[3] << 8) + 1, (bytes[0] | bytes[1] << 8) + 1, bytes[4], bytes[5],
          static_cast<uint16_t>(bytes[6] | bytes[7] << 8)};
}

// Places a unit whose reserved square has its top-left corner at (row, column).
// False, with nothing changed, when the square leaves the grids, holds a mark
// other than a start location's, or the list is full.
bool PlaceUnit(GeneratorState& s, PlacementContext& placement, int32_t row, int32_t column, uint8_t owner, uint8_t size,
               uint8_t unitType);
// Whether one more record fits the list.
inline bool UnitListHasRoom(const GeneratorState& s) {
  return s.UnitListLength >= 0 && s.UnitListLength + kUnitRecordBytes <= kUnitListBytes;
}

// Writes the closing zero bytes after the last record; the length stays.
void CloseUnitList(GeneratorState& s);

}  // namespace glenmire
