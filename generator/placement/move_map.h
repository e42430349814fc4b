// The movement map: how units may cross each cell.
#pragma once

#include <cstdint>

#include "terrain/generator_state.h"

namespace glenmire {

void BuildMoveMap(GeneratorState& s);
void RebuildMoveMap(GeneratorState& s);  // Genitize: from the loaded map's grids
void PaintMoveBlob(GeneratorState& s, uint8_t fromCode, uint8_t toCode, int32_t startRow, uint16_t length,
                   int32_t startColumn);

}  // namespace glenmire
