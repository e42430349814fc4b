// What the placement phases share within one run: the cell pool each phase
// fills afresh, the gold mines placed so far and every player's town
// position. The run owns one, so each run starts with the towns at (0, 0);
// they carry over between the attempts of a run (a player without a new town
// keeps its last one).
#pragma once

#include <cstdint>

#include "core/cell_pool.h"
#include "core/generator_state.h"

namespace glenmire {

struct PlacementContext {
  CellPool pool;
  uint8_t MinesPlaced = 0;
  CellPosition TownPosition[kPlayers]{};  // player p at index p-1
};

}  // namespace glenmire
