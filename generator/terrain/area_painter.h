// Paints wobbling blobs of one terrain class over another and measures how
// much room a class offers.
#pragma once

#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

// Paints one blob of `to` over `from` starting at (row, column) and moving
// south; returns the number of `to` cells on the whole map afterwards.
// Row and column may lie outside the map; only cells inside are painted.
uint16_t PaintArea(GeneratorState& s, uint16_t from, uint16_t to, int32_t row, int32_t column, uint16_t size);

// Cells whose eight neighbours all hold `cls` (a neighbour beyond the edge counts as holding it).
int32_t CountInterior(const GeneratorState& s, uint16_t cls);

}  // namespace glenmire
