// Rivers carved through the island mass and mountain ranges raised on sand.
#pragma once

#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

uint8_t CarveRivers(GeneratorState& s);          // always 1
int32_t RaiseMountainRange(GeneratorState& s);   // mountain cells on the map afterwards

}  // namespace glenmire
