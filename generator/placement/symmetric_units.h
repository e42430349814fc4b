// The units of a symmetric map: one sector's players, mines, oil patches and
// critters are placed as usual while the rest of the map is closed to them,
// then every unit gets its images.
#pragma once

#include <cstdint>

#include "core/generator_state.h"
#include "core/symmetry.h"
#include "placement/placement_context.h"

namespace glenmire {

// What placing one sector changes for a while and gives back afterwards.
struct SectorPlacement {
  uint8_t controller[kPlayers]{};
  int32_t crittersPlayer[kPlayers]{};
  int32_t goldMines = 0;
  int32_t oilPatches = 0;
  bool compensate = false;
};

// Units keep this many cells from every symmetry line, so that no footprint
// straddles one and a unit and its image never touch.
inline constexpr int kSymmetryLineMargin = 1;
// The mark that closes a cell to placement while one sector is placed.
inline constexpr uint8_t kOutsideSectorMark = 254;

// Only the sector's share of the active players (the first in player order),
// of the mines and of the oil patches is placed, nowhere but in the sector;
// rescue players stay out, and nothing is compensated (nothing differs).
void BeginSectorPlacement(GeneratorState& s, Symmetry mode, SectorPlacement& saved);
// Gives back what BeginSectorPlacement changed, opens the map again and adds
// the images of every unit placed: the whole footprint (its side from
// `footprintSide`) moved, the owner by one permutation of the active players,
// the kind kept in the new owner's race; ships and aircraft keep to odd and
// oil patches to even rows and columns, one cell off the exact image when
// need be. Every active player starts with its sector player's resources.
void FinishSectorPlacement(GeneratorState& s, PlacementContext& placement, Symmetry mode, const SectorPlacement& saved,
                           int (*footprintSide)(uint8_t type));

}  // namespace glenmire
