// The terrain of a symmetric map: the sector's cells copied to their images,
// mixed tiles with their corner patterns moved, and the neighbour rules of
// the painters kept along the seams.
#pragma once

#include <cstdint>

#include "core/generator_state.h"
#include "core/symmetry.h"

namespace glenmire {

// The tile a mixed tile of the four generated families becomes under the
// motion (the corner pattern moved, the variant kept); any other tile as it is.
uint16_t MovedTile(uint16_t tile, const Motion& m);
// The corner mask of a mixed tile of the four generated families, or 0.
unsigned CornersOfTile(uint16_t tile);

// Every cell outside the sector takes the image of its sector cell.
void CopySectorTerrain(GeneratorState& s, Symmetry mode);
// Start islands: every taking-part player of the sector keeps an island
// folded into the sector, the others get the images of those.
void FoldStartIslands(GeneratorState& s, Symmetry mode);
// After a copy: `to` cells whose 3 x 3 square holds a third class go back to
// `from`, as the painter would never have turned them.
void KeepPainterRule(GeneratorState& s, Symmetry mode, uint16_t from, uint16_t to);
// Mixed tiles of the mountain or forest edge back to the class they came from.
void UndoMountainEdges(GeneratorState& s);
void UndoForestEdges(GeneratorState& s);
// The movement codes of the sector copied to their images.
void CopySectorMoveMap(GeneratorState& s, Symmetry mode);

}  // namespace glenmire
