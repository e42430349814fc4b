// Turns solid tiles into their decorated variants.
#pragma once

#include "core/generator_state.h"

namespace glenmire {

void ScatterDecorations(GeneratorState& s);

}  // namespace glenmire
