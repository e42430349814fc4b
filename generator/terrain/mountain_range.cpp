// Mountain ranges: a walker whose brush raises mountains (class 128) on coast
// sand (48) that touches nothing but sand and mountains, and, with secret
// passes enabled, marks a three-row band of OccupancyGrid for the movement
// map. Reads MapSize and EnableSecretMountainPasses; writes TerrainGrid and
// OccupancyGrid. Runs after the coastline, between the mountain blobs.
#include <algorithm>

#include "terrain/area_painter.h"
#include "terrain/rivers_and_ranges.h"
#include "terrain/rivers_and_ranges_walker.h"

namespace glenmire {

namespace {

// Range width: one in eight steps widens, two in eight narrow; 0..5.
void ChangeRangeWidth(int32_t& width, Random& random) {
  const int32_t d = random.RandInt(8);
  if (d == 1) ++width;
  if (d == 4 || d == 5) --width;
  if (width < 1) width = 0;
  if (width > 5) width = 5;
}

}  // namespace

int32_t RaiseMountainRange(GeneratorState& s, int32_t mountains) {
  const int32_t mapSize = s.MapSize();
  // Only the grid's own cells can be read or written, whatever the size says.
  const int32_t lastCell = std::min(mapSize, kMaxMapSize);
  const bool secretPasses = s.settings.EnableSecretMountainPasses != 0;

  const int32_t passRow = s.random.RandInt(mapSize - 5) + 1;
  Walker w;
  w.width = s.random.RandInt(6);
  if (w.width < 3) w.width = 3;
  // The range walks the transposed map: a is the column, b the row.
  StartWalker(w, s.random, mapSize);
  Walk(
      w, s.random, mapSize, [](int32_t& wd, Random& random) { ChangeRangeWidth(wd, random); },
      [&](int32_t colLo, int32_t colHi, int32_t rowLo, int32_t rowHi) {
        for (int32_t r = std::max(rowLo, 1); r <= std::min(rowHi, lastCell); ++r)
          for (int32_t c = std::max(colLo, 1); c <= std::min(colHi, lastCell); ++c) {
            // Mountains never touch a third class, so the mountain-coast edges can form.
            if (s.TerrainGrid(r, c) != kCoast || !SquareAllows(s, lastCell, r, c, kCoast, kMountain)) continue;
            s.TerrainGrid(r, c) = kMountain;
            ++mountains;
            if (!secretPasses || r < passRow || r > passRow + 2) continue;
            s.OccupancyGrid(r, c) = 1;
            if (c < lastCell) s.OccupancyGrid(r, c + 1) = 1;
            if (c > 1) s.OccupancyGrid(r, c - 1) = 1;
          }
      });
  return mountains;
}

}  // namespace glenmire
