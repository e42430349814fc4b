// The players phase of placement: towns, startup units, ships, critters and
// the compensation for units that found no room. Runs after the gold and oil
// phases on a freshly filled cell pool; reads and writes the settings'
// starting resources, PlayerAI (start islands) and PlayersPlaced.
#pragma once

#include "core/generator_state.h"
#include "placement/placement_context.h"

namespace glenmire {

// The towns phase on a pool filled afresh: on start islands every player's
// start location and worker, then the ships; otherwise the towns at the mines
// and at random cells.
void PlaceTownPhase(GeneratorState& s, PlacementContext& placement);
// The units phase after the towns (not on start islands), on what is left of
// their pool: startup units, then ships and critters while cells remain.
void PlaceUnitPhase(GeneratorState& s, PlacementContext& placement);

// Start islands: every taking-part player's start location and worker on its
// start cell, "Sea Attack" behaviour; no towns or land units.
void PlaceStartIslandPlayers(GeneratorState& s, PlacementContext& placement);
// Each active player's town next to the nearest unclaimed mine site after a random cell.
void PlaceTownsAtMines(GeneratorState& s, PlacementContext& placement);
// Towns at random cells for every taking-part player (allPlayers) or only the
// rescue players; a town with no mine within reach gets the start-gold adjustment.
void PlaceTownsAtRandom(GeneratorState& s, PlacementContext& placement, bool allPlayers);
void PlaceStartupUnits(GeneratorState& s, PlacementContext& placement);
void PlaceNavalUnits(GeneratorState& s, PlacementContext& placement);
void PlaceCritters(GeneratorState& s, PlacementContext& placement);

// Starting resources are capped here whenever placement raises them.
inline constexpr int32_t kStartResourceCap = 65000;

}  // namespace glenmire
