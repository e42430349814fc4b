// A finished map as the bytes of a WarCraft II .pud file.
#pragma once

#include <cstdint>
#include <vector>

#include "core/generator_state.h"

namespace glenmire {

// The whole file, from the settings, the grids and the unit list (a loaded
// map's own unit section on the Genitize road); changes nothing. Throws
// FileError naming the record's map file when the map cannot be a map file
// (a size other than 32, 64, 96 or 128, or a broken unit list length).
std::vector<uint8_t> EncodeMap(const GeneratorState& s);

}  // namespace glenmire
