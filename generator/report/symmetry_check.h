// Which symmetries a map has, checked on the map itself: every cell's tile
// family and corner pattern against its image's, the movement map, and every
// unit against its image. Tile variants may differ; ships, aircraft and oil
// patches may sit one cell off their exact image.
#pragma once

#include <vector>

#include "core/generator_state.h"
#include "core/symmetry.h"

namespace glenmire {

bool HasSymmetry(const GeneratorState& s, Symmetry mode);
// The modes other than none that the map has, in the order of the modes.
std::vector<Symmetry> SymmetriesOf(const GeneratorState& s);

}  // namespace glenmire
