// The placement stage: gold mines, oil patches, then the players and their units.
#pragma once

#include "terrain/generator_state.h"

namespace glenmire {

bool PlaceResources(GeneratorState& s);  // always true; clears PlayersPlaced on failure

}  // namespace glenmire
