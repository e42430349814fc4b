// The map's unit list and the one operation that adds to it.
#pragma once

#include <cstdint>

#include "terrain/generator_state.h"

namespace glenmire {

inline constexpr uint8_t kReservedMineSite = 153;

bool PlaceUnit(GeneratorState& s, int32_t row, int32_t column, uint8_t owner, uint8_t size, uint8_t unitType);
void CloseUnitList(GeneratorState& s);

}  // namespace glenmire
