// Spiral search for a free site near a target, and reachability over land.
// Both read TerrainGrid (final tiles) and OccupancyGrid; PlaceNear adds the
// unit through PlaceUnit. The region and movement maps are built before.
#pragma once

#include <cstdint>

#include "core/generator_state.h"
#include "placement/placement_context.h"

namespace glenmire {

// Walks a counter-clockwise square spiral from a slightly shifted target and
// places the unit on the first cell its terrain rule and spacing allow; gives
// up a quarter of the map side away. player is 1..8, or 16 for neutral units.
// A start location (94, 95) brings its worker onto the same cell.
bool PlaceNear(GeneratorState& s, PlacementContext& placement, int32_t row, int32_t column, uint8_t size,
               uint8_t unitType, uint8_t player);
// True when a cell marked unitType is 8-connected to (row, column) through
// walkable land (the marked cell itself may be any tile).
bool UnitReachable(GeneratorState& s, int32_t row, int32_t column, uint8_t unitType);

// Whether a unit of this type may stand with its square's top-left corner at
// (row, column), by its movement class and "Reverse Physics": the terrain
// rule and, for ships and aircraft, odd rows and columns only.
bool SiteSuits(const GeneratorState& s, int32_t row, int32_t column, uint8_t size, uint8_t unitType);

}  // namespace glenmire
