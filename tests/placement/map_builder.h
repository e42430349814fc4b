// Small hand-made maps for the placement tests: a generator state of a given
// side filled with one tile value, with rectangles of other tiles painted on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/cell_pool.h"
#include "core/generator_state.h"
#include "placement/placement_context.h"
#include "placement/players.h"
#include "placement/resources.h"
#include "placement/unit_list.h"

namespace glenmire::testing {

inline constexpr uint16_t kWaterTile = 0x10;  // open water
inline constexpr uint16_t kSandTile = 0x30;
inline constexpr uint16_t kGrassTile = 0x50;
inline constexpr uint16_t kForestTile = 0x70;

// A map with the placement context a run gives its phases.
struct PlacementMap : GeneratorState {
  PlacementContext placement;
};

inline std::unique_ptr<PlacementMap> MakeMap(int mapSize, uint16_t fill, uint32_t seed = 1) {
  auto s = std::make_unique<PlacementMap>();
  s->settings.MapSize = mapSize;
  s->TerrainGrid.Fill(kMaxMapSize, fill);
  s->OccupancyGrid.Fill(kMaxMapSize, 0);
  s->ScratchGrid.Fill(kMaxMapSize, 0);
  s->random.Seed(seed);
  return s;
}

// Rows top..bottom, columns left..right inclusive.
inline void Paint(GeneratorState& s, int top, int left, int bottom, int right, uint16_t tile) {
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) s.TerrainGrid(r, c) = tile;
}

struct UnitRecord {
  int row;  // 1-based, as placed
  int column;
  int type;
  int owner;
  int data;
};

inline std::vector<UnitRecord> Records(const GeneratorState& s) {
  std::vector<UnitRecord> out;
  for (int at = 0; at + kUnitRecordBytes <= s.UnitListLength; at += kUnitRecordBytes) {
    const uint8_t* r = s.UnitList + at;
    out.push_back(UnitRecord{(r[2] | r[3] << 8) + 1, (r[0] | r[1] << 8) + 1, r[4], r[5], r[6] | r[7] << 8});
  }
  return out;
}

// Fills the pool with the map's cells and takes out all but the given ones,
// so that random draws can only meet those.
inline void KeepOnly(CellPool& pool, int mapSize, const std::vector<PoolCell>& keep) {
  pool.PoolInit(mapSize);
  // The pool holds the cells in reverse reading order; taking from the back
  // leaves the positions in front unchanged.
  for (int position = mapSize * mapSize; position >= 1; --position) {
    const int row = mapSize - (position - 1) / mapSize;
    const int column = mapSize - (position - 1) % mapSize;
    bool kept = false;
    for (const PoolCell& k : keep) kept = kept || (k.row == row && k.column == column);
    if (!kept) pool.PoolTake(position);
  }
}

// The players' phases on one pool, as the placement stage runs them.
inline void PlacePlayers(PlacementMap& s) {
  PlaceTownPhase(s, s.placement);
  if (!s.StartIslandsMode) PlaceUnitPhase(s, s.placement);
}

// The whole placement stage in the pipeline's order, without its reports.
inline void PlaceResources(PlacementMap& s) {
  PlaceGoldPhase(s, s.placement);
  PlaceOilPhase(s, s.placement);
  PlaceTownPhase(s, s.placement);
  if (!s.StartIslandsMode) PlaceUnitPhase(s, s.placement);
  CloseUnitList(s);
}

}  // namespace glenmire::testing
