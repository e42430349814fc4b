#include "terrain/land_fills.h"

#include "core/cell_pool.h"
#include "terrain/area_painter.h"
#include "terrain/coastline.h"
#include "terrain/island_mass.h"
#include "terrain/rivers_and_ranges.h"

namespace glenmire {
namespace {

// Draws cells from a fresh pool and paints a blob at each until the painted
// class reaches the target or every cell has been tried. `drawSize` makes the
// blob size from the drawn cell; it runs after the cell is taken.
template <typename SizeFn>
void FillFromPool(GeneratorState& s, int32_t target, uint16_t from, uint16_t to, int rowShift, SizeFn drawSize) {
  int32_t painted = 0;
  BlobPainter painter(s, from, to);
  CellPool pool;
  pool.PoolInit(s.MapSize());
  while (painted < target && pool.PoolCount() > 0) {
    const PoolCell cell = TakeRandomCell(s.random, pool);
    const uint16_t size = drawSize();
    painted = painter.Paint(cell.row + rowShift, cell.column + rowShift, size);
  }
}

}  // namespace

void PaintLakes(GeneratorState& s) {
  const SettingsRecord& r = s.settings;
  // The target counts all water, sea included; it wraps at 16 bits.
  const uint16_t lakeTarget = static_cast<uint16_t>(AreaUnit(s) * r.Lakes);
  FillFromPool(s, lakeTarget, kLand, kWater, -1, [&] {
    int32_t size = s.random.RandInt(r.Lakes);
    if (size < 5) size = 5;
    return static_cast<uint16_t>(size);
  });
}

void RaiseMountains(GeneratorState& s) {
  const SettingsRecord& r = s.settings;
  int32_t c = CountInterior(s, kCoast);
  c = c - c * r.BuildableLand / 100;  // the interior sand not claimed by buildable land
  const uint16_t mountainTarget = static_cast<uint16_t>(r.Mountains * c / 100);
  int32_t mountains = 0;
  BlobPainter painter(s, kCoast, kMountain);
  CellPool pool;
  pool.PoolInit(s.MapSize());
  while (mountains < mountainTarget && pool.PoolCount() > 0) {
    if (s.random.RandInt(100) > 60) {
      // A range turns sand into mountains, as the painter's blobs do.
      const int32_t before = painter.Count();
      mountains = RaiseMountainRange(s, before);
      painter.Turned(mountains - before);
      continue;
    }
    const PoolCell cell = TakeRandomCell(s.random, pool);
    int32_t size = s.random.RandInt(5);
    if (size < 1) size = 1;
    mountains = painter.Paint(cell.row, cell.column, static_cast<uint16_t>(size));
  }
  pool.PoolFree();
  EdgeMountains(s);
}

void PaintBuildableLand(GeneratorState& s) {
  const int32_t c = CountInterior(s, kCoast);
  const uint16_t target = static_cast<uint16_t>(c * s.settings.BuildableLand / 100);
  FillFromPool(s, target, kCoast, kGrass, 0, [&] { return static_cast<uint16_t>(s.random.RandInt(10)); });
}

void PaintForest(GeneratorState& s) {
  const int32_t c = CountInterior(s, kGrass);
  const uint16_t target = static_cast<uint16_t>(s.settings.Forest * c / 100);
  FillFromPool(s, target, kGrass, kForest, 0, [&] { return static_cast<uint16_t>(s.random.RandInt(10) + 2); });
  EdgeForest(s);
}

}  // namespace glenmire
