// The terrain fills after the island mass: lakes (before the coastline), then
// mountains, buildable land and forest (after it). Each draws cells from a
// fresh cell pool and paints a blob at each until its class covers its target
// or every cell has been tried. Read LandWater, Lakes, Mountains,
// BuildableLand, Forest; write TerrainGrid.
#pragma once

#include "core/generator_state.h"

namespace glenmire {

// Water (class 0) over land (1) until AreaUnit x Lakes cells are water, sea included.
void PaintLakes(GeneratorState& s);
// Mountains (128) over coast sand (48) on the interior sand that buildable
// land leaves, partly as whole ranges; then the mountain edges.
void RaiseMountains(GeneratorState& s);
// Buildable grass (80) over the interior coast sand (48).
void PaintBuildableLand(GeneratorState& s);
// Forest (112) over the interior grass (80); then the forest edges.
void PaintForest(GeneratorState& s);

}  // namespace glenmire
