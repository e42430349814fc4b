// Reads a .pud map into the settings record, the grids and the unit list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/generator_state.h"

namespace glenmire {

// Throws FileError and changes nothing when the file is refused. The caller
// sets MapLoaded and keeps the record the map came with.
void LoadMapFile(GeneratorState& s, const std::string& fileName);

// The same for a file's bytes already in memory; fileName names them in the
// FileError.
void LoadMapBytes(GeneratorState& s, const std::string& fileName, const std::vector<uint8_t>& bytes);

}  // namespace glenmire
