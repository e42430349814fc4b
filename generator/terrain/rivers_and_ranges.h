// Rivers carved through the island mass and mountain ranges raised on sand.
#pragma once

#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

uint8_t CarveRivers(GeneratorState& s);  // always 1
// Raises one range; `mountains` is the number of mountain cells on the map
// before it, and the number afterwards comes back: each cell the range raises
// adds one.
int32_t RaiseMountainRange(GeneratorState& s, int32_t mountains);

}  // namespace glenmire
