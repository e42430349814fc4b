// Reads a .pud map into the settings record, the grids and the unit list.
#pragma once

#include <string>

#include "core/generator_state.h"

namespace glenmire {

// Throws FileError and changes nothing when the file is refused. The caller
// sets MapLoaded and LoadedMapSettings.
void LoadMapFile(GeneratorState& s, const std::string& fileName);

}  // namespace glenmire
