// The placement stage: gold mines, oil patches, then the players and their
// units. Reads the final tiles of TerrainGrid; writes UnitList, OccupancyGrid,
// ScratchGrid, MinesPlaced, the town positions and PlayersPlaced. The driver
// clears the list and the occupancy and scratch marks before it.
#pragma once

#include "terrain/cell_pool.h"
#include "terrain/generator_state.h"

namespace glenmire {

bool PlaceResources(GeneratorState& s);  // always true; clears PlayersPlaced on failure

// The two resource phases on a freshly filled pool. Gold mines need a 3x3
// site of goldGround; oil patches a 5x5 block of oilGround around their 3x3.
void PlaceGoldMines(GeneratorState& s, CellPool& pool, uint16_t goldGround);
void PlaceOilPatches(GeneratorState& s, CellPool& pool, uint16_t oilGround);

// Players with a computer or human controller.
int CountActivePlayers(const GeneratorState& s);

}  // namespace glenmire
