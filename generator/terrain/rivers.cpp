// Rivers: walkers whose brush cuts water (class 0) into the unshaped island
// mass. Reads MapSize, Rivers and MultipleRivers; writes TerrainGrid. Runs
// after the island mass and before the lakes and the coastline.
#include <algorithm>

#include "terrain/rivers_and_ranges.h"
#include "terrain/rivers_and_ranges_walker.h"

namespace glenmire {

namespace {

// River width: one in eight steps widens, one in eight narrows; 0..6.
void ChangeRiverWidth(int32_t& width, Random& random) {
  const int32_t d = random.RandInt(8);
  if (d == 1) ++width;
  if (d == 5) --width;
  if (width < 1) width = 0;
  if (width > 6) width = 6;
}

}  // namespace

uint8_t CarveRivers(GeneratorState& s) {
  const int32_t mapSize = s.MapSize();
  // Only the grid's own cells can be written, whatever the size says.
  const int32_t lastCell = std::min(mapSize, kMaxMapSize);
  const int32_t rivers = s.settings.Rivers;  // signed, as stored
  int32_t width;
  int32_t riverCount;
  if (s.settings.MultipleRivers) {
    width = 3;
    riverCount = rivers / 8;
  } else {
    width = rivers / 2;
    riverCount = 1;
  }

  Walker w;
  for (int32_t river = 0; river < riverCount; ++river) {
    // Later rivers start from the width the previous one ended with.
    width = mapSize * width / 100;
    if (width < 3) width = 3;
    w = Walker{};
    w.width = width;
    StartWalker(w, s.random, mapSize);  // a is the row, b the column
    Walk(
        w, s.random, mapSize, [](int32_t& wd, Random& random) { ChangeRiverWidth(wd, random); },
        [&s, lastCell](int32_t rowLo, int32_t rowHi, int32_t colLo, int32_t colHi) {
          for (int32_t r = std::max(rowLo, 1); r <= std::min(rowHi, lastCell); ++r)
            for (int32_t c = std::max(colLo, 1); c <= std::min(colHi, lastCell); ++c) s.TerrainGrid(r, c) = kWater;
        });
    width = w.width;
  }
  return 1;
}

}  // namespace glenmire
