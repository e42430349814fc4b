// Numbers the connected regions of the finished terrain.
#pragma once

#include "core/generator_state.h"

namespace glenmire {

void BuildRegionMap(GeneratorState& s);

}  // namespace glenmire
