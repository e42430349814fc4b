// Writes the finished map as a WarCraft II .pud file.
#pragma once

#include "terrain/generator_state.h"

namespace glenmire {

// Writes settings.MapFileName; throws FileError (the target is left untouched on failure).
void WriteMapFile(GeneratorState& s);

}  // namespace glenmire
