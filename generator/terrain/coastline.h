// Open water, coast sand and the mixed boundary tiles between the families.
#pragma once

#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

uint8_t ShapeCoastline(GeneratorState& s);
uint8_t EdgeMountains(GeneratorState& s);
uint8_t EdgeGrass(GeneratorState& s);
uint8_t EdgeForest(GeneratorState& s);

}  // namespace glenmire
