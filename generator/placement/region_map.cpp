// Labels every cell of RegionGrid from the finished TerrainGrid: one number
// per connected land area and per connected water area, fixed marks for
// forest and rock. Runs once per generation after the terrain stages.
#include "placement/region_map.h"

#include "core/cell_stack.h"

namespace glenmire {
namespace {

constexpr uint16_t kUnlabelled = 999;
constexpr uint16_t kForestRegion = 254;
constexpr uint16_t kRockRegion = 253;

enum class RegionKind { kWater, kLand, kForest, kRock };

RegionKind KindOf(uint16_t tile) {
  if (tile >= 0x10 && tile <= 0x19) return RegionKind::kWater;
  if (tile >= 0x30 && tile <= 0x39) return RegionKind::kLand;
  if (tile >= 0x50 && tile <= 0x59) return RegionKind::kLand;
  if (tile >= 0x70 && tile <= 0x79) return RegionKind::kForest;
  if (tile >= 0x80 && tile <= 0x89) return RegionKind::kRock;
  if (tile >= 0x700) return RegionKind::kForest;
  if (tile >= 0x500) return RegionKind::kLand;
  if (tile >= 0x400) return RegionKind::kRock;
  if (tile >= 0x100) return RegionKind::kLand;
  return RegionKind::kWater;
}

// Coast boundary tiles take the number of the land that reaches them but do
// not carry it on, so two shores that meet only across one are kept apart.
bool StopsFill(uint16_t tile) { return tile >= 0x200 && tile <= 0x3FF; }

// Gives `value` to every unlabelled cell of the same kind 8-connected to the seed.
void FillFrom(GeneratorState& s, CellStack& pending, int seedRow, int seedColumn, RegionKind kind, uint16_t value) {
  const int size = s.MapSize();
  StackPush(pending, seedRow, seedColumn);
  StackCell cell;
  while (StackPop(pending, cell)) {
    for (int dr = -1; dr <= 1; ++dr) {
      for (int dc = -1; dc <= 1; ++dc) {
        const int r = cell.row + dr;
        const int c = cell.column + dc;
        if (!InsideMap(size, r, c) || s.RegionGrid(r, c) != kUnlabelled) continue;
        const uint16_t tile = s.TerrainGrid(r, c);
        if (KindOf(tile) != kind) continue;
        s.RegionGrid(r, c) = value;
        if (!StopsFill(tile)) StackPush(pending, r, c);
      }
    }
  }
}

}  // namespace

void BuildRegionMap(GeneratorState& s) {
  const int size = s.MapSize();
  s.RegionGrid.Fill(size, kUnlabelled);
  int landNumber = 0;
  int waterNumber = 0;
  CellStack pending;
  for (int r = 1; r <= size; ++r) {
    for (int c = 1; c <= size; ++c) {
      if (s.RegionGrid(r, c) != kUnlabelled) continue;
      const RegionKind kind = KindOf(s.TerrainGrid(r, c));
      switch (kind) {
        case RegionKind::kForest:
          s.RegionGrid(r, c) = kForestRegion;
          break;
        case RegionKind::kRock:
          s.RegionGrid(r, c) = kRockRegion;
          break;
        case RegionKind::kLand:
          s.RegionGrid(r, c) = static_cast<uint16_t>(landNumber);
          FillFrom(s, pending, r, c, kind, static_cast<uint16_t>(landNumber));
          // Past 254 land areas every further one shares the last number.
          if (++landNumber == 255) landNumber = 254;
          break;
        case RegionKind::kWater:
          s.RegionGrid(r, c) = static_cast<uint16_t>(waterNumber);
          FillFrom(s, pending, r, c, kind, static_cast<uint16_t>(waterNumber));
          // Past 255 water areas the numbers cycle through 244..254.
          if (++waterNumber == 255) waterNumber = 244;
          break;
      }
    }
  }
}

}  // namespace glenmire
