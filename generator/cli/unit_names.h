// Names of the game's unit types, for map summaries.
#pragma once

#include <cstdint>
#include <string>

namespace glenmire {

// The name of unit type id 0..255 ("Gold Mine", "Footman", ...); ids the
// generator never uses get "Unit <id>".
std::string UnitTypeName(uint8_t id);

}  // namespace glenmire
