// Spiral search for a free site near a target, and reachability over land.
#pragma once

#include <cstdint>

#include "terrain/generator_state.h"

namespace glenmire {

bool PlaceNear(GeneratorState& s, int32_t row, int32_t column, uint8_t size, uint8_t unitType, uint8_t player);
bool UnitReachable(GeneratorState& s, int32_t row, int32_t column, uint8_t unitType);

}  // namespace glenmire
