#include "terrain/island_mass.h"

#include "terrain/area_painter.h"

namespace glenmire {

void BuildIslandMass(GeneratorState& s) {
  const SettingsRecord& r = s.settings;
  const int mapSize = s.MapSize();
  const int32_t landTarget = static_cast<int32_t>(AreaUnit(s)) * r.LandWater;

  s.StartIslandsMode = false;
  if (r.LandWater >= 99) {
    s.TerrainGrid.Fill(mapSize, kLand);
    return;
  }
  s.TerrainGrid.Fill(mapSize, kWater);
  if (r.LandWater >= 5 || r.ReverseLandAndWaterProperties) {
    const int32_t halfSide = mapSize / 2;
    uint16_t blobSize = static_cast<uint16_t>(r.LandWater / 2);
    if (blobSize < 5) blobSize = 10;
    int32_t land = 0;
    BlobPainter painter(s, kWater, kLand);
    while (land < landTarget) {
      // Origins range half a side beyond every edge; the painter clips.
      const int32_t column = s.random.RandInt(2 * mapSize) - halfSide;
      const int32_t row = s.random.RandInt(2 * mapSize) - halfSide;
      land = painter.Paint(row, column, blobSize);
    }
    return;
  }
  // Too little land for an island mass: one small island per player.
  s.StartIslandsMode = true;
  for (int p = 0; p < kPlayers; ++p) {
    if (r.PlayerController[p] == kControllerNobody) continue;
    const int row = s.random.RandInt(mapSize) + 1;
    const int column = s.random.RandInt(mapSize) + 1;
    s.StartCells[p] = {static_cast<uint8_t>(row), static_cast<uint8_t>(column)};
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc)
        if (InsideMap(mapSize, row + dr, column + dc)) s.TerrainGrid(row + dr, column + dc) = kLand;
  }
}

void GrassStartIslandCentres(GeneratorState& s) {
  for (int p = 0; p < kPlayers; ++p)
    if (s.settings.PlayerController[p] != kControllerNobody)
      s.TerrainGrid(s.StartCells[p].row, s.StartCells[p].column) = kGrass;
}

}  // namespace glenmire
