// Names a map summary or report shows: unit types, the race-free kinds the
// report counts units by, player colours, controllers and races; and which
// unit types are buildings and how large they stand.
#pragma once

#include <cstdint>
#include <string>

namespace glenmire {

// The name of unit type id 0..255 ("Gold Mine", "Footman", ...); ids the
// generator never uses get "Unit <id>".
std::string UnitTypeName(uint8_t id);

// The kind of a unit whatever its race: the human type of a human/orc pair
// (a Grunt counts as a Footman, a Great Hall as a Town Hall), the type
// itself for everything else.
uint8_t UnitKind(uint8_t type);
// "Footman/Grunt", "Town Hall/Great Hall", or the type's own name.
std::string UnitKindName(uint8_t kind);

// Buildings stand on a square of the map and block walkers: farms, halls,
// barracks, towers and the rest, gold mines and oil patches. Start locations
// are marks, not buildings.
bool IsBuilding(uint8_t type);
// The side of the square a unit of this type covers on the map (1 for
// walkers, ships and marks; 2, 3 or 4 for buildings).
int FootprintSide(uint8_t type);

// "Red", "Blue", ... for players 1..8.
const char* PlayerColourName(int player);
// The controller and race codes as the File window names them.
std::string ControllerName(uint8_t code);
std::string RaceName(uint8_t race);

}  // namespace glenmire
