// The movement map: how units may cross each cell.
#pragma once

#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

// Codes every cell from its tile (an OccupancyGrid mark makes it kMoveUnbuildable), then
// scatters the shallow-water and swamp blobs.
void BuildMoveMap(GeneratorState& s);
// Genitize: recodes the loaded map's MoveGrid for "Reverse Physics", applies
// OccupancyGrid as it stands (the Genitize road clears it first, so an earlier
// map's marks never leak in) and scatters the blobs.
void RebuildMoveMap(GeneratorState& s);
// Replaces fromCode by toCode under one random blob of length + 1 rows going
// south from startRow; the start may lie anywhere, only map cells change.
void PaintMoveBlob(GeneratorState& s, uint8_t fromCode, uint8_t toCode, int32_t startRow, uint16_t length,
                   int32_t startColumn);

}  // namespace glenmire
