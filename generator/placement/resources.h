// The placement stage: gold mines, oil patches, then the players and their
// units (players.h), each phase on a cell pool filled afresh for it. Reads the
// final tiles of TerrainGrid; writes UnitList, OccupancyGrid, ScratchGrid,
// PlayersPlaced and the placement context (MinesPlaced, the town positions).
// The pipeline empties the list and the occupancy and scratch marks before it,
// runs the phases in the order below and closes the unit list after them.
#pragma once

#include "core/generator_state.h"
#include "placement/placement_context.h"

namespace glenmire {

// The gold phase: MinesPlaced := 0, then (not on start islands) the mines on
// the ground the settings give them.
void PlaceGoldPhase(GeneratorState& s, PlacementContext& placement);
// The oil phase: oil patches on the ground the settings give them.
void PlaceOilPhase(GeneratorState& s, PlacementContext& placement);

// The two resource phases on a freshly filled pool. Gold mines need a 3x3
// site of goldGround; oil patches a 5x5 block of oilGround around their 3x3.
void PlaceGoldMines(GeneratorState& s, PlacementContext& placement, uint16_t goldGround);
void PlaceOilPatches(GeneratorState& s, PlacementContext& placement, uint16_t oilGround);

// Players with a computer or human controller.
int CountActivePlayers(const GeneratorState& s);

}  // namespace glenmire
