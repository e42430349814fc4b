// One random draw from the cell pool: the taken cell leaves the pool.
#pragma once

#include "core/cell_pool.h"
#include "core/generator_state.h"

namespace glenmire {

inline PoolCell TakeRandomCell(GeneratorState& s, CellPool& pool) {
  return pool.PoolTake(1 + s.random.RandInt(pool.PoolCount()));
}

}  // namespace glenmire
