// The generation driver. Reads the prepared settings record (already
// randomised and clamped by the caller) and runs the stages in order:
// island mass, rivers, lakes, coastline, mountains, buildable land, forest,
// regions, movement map, placement, decorations, map file. On a loaded map it
// takes the Genitize road instead: rebuild the movement map and write.
#include "terrain/driver.h"

#include "mapfile/map_writer.h"
#include "placement/move_map.h"
#include "placement/region_map.h"
#include "placement/resources.h"
#include "settings/randomiser.h"
#include "terrain/area_painter.h"
#include "terrain/cell_pool.h"
#include "terrain/coastline.h"
#include "terrain/decorations.h"
#include "terrain/rivers_and_ranges.h"

namespace glenmire {
namespace {

void Report(GeneratorState& s, int percent, const char* status) {
  s.ui->Progress(percent);
  s.ui->Status(status);
}

// Draws cells from a fresh pool and paints a blob at each until the painted
// class reaches the target or every cell has been tried. `drawSize` makes the
// blob size from the drawn cell; it runs after the cell is taken.
template <typename SizeFn>
void FillFromPool(GeneratorState& s, int32_t target, uint16_t from, uint16_t to, int rowShift, SizeFn drawSize) {
  s.StageResult = 0;
  CellPool pool;
  pool.PoolInit(s.MapSize());
  while (s.StageResult < target && pool.PoolCount() > 0) {
    int n = s.random.RandInt(pool.PoolCount()) + 1;
    PoolCell cell = pool.PoolTake(n);
    uint16_t size = drawSize();
    s.StageResult = PaintArea(s, from, to, cell.row + rowShift, cell.column + rowShift, size);
  }
  pool.PoolFree();
}

void BuildIslandMass(GeneratorState& s) {
  const SettingsRecord& r = s.settings;
  const int mapSize = s.MapSize();
  const int32_t landTarget = static_cast<int32_t>(s.AreaUnit) * r.LandWater;

  if (r.LandWater >= 99) {
    s.TerrainGrid.Fill(mapSize, kLand);
    return;
  }
  s.TerrainGrid.Fill(mapSize, kWater);
  if (r.LandWater >= 5 || r.ReverseLandAndWaterProperties) {
    s.StageResult = 0;
    s.HalfSide = static_cast<uint16_t>(mapSize / 2);
    while (s.StageResult < landTarget) {
      // Origins range half a side beyond every edge; the painter clips.
      int32_t column = s.random.RandInt(2 * mapSize) - s.HalfSide;
      int32_t row = s.random.RandInt(2 * mapSize) - s.HalfSide;
      s.BlobSize = static_cast<uint16_t>(r.LandWater / 2);
      if (s.BlobSize < 5) s.BlobSize = 10;
      s.StageResult = PaintArea(s, kWater, kLand, row, column, s.BlobSize);
    }
    return;
  }
  // Too little land for an island mass: one small island per player.
  s.StartIslandsMode = true;
  for (int p = 0; p < kPlayers; ++p) {
    if (r.PlayerController[p] == kControllerNobody) continue;
    int row = s.random.RandInt(mapSize) + 1;
    int column = s.random.RandInt(mapSize) + 1;
    s.StartCells[p] = {static_cast<uint8_t>(row), static_cast<uint8_t>(column)};
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc)
        if (InsideMap(mapSize, row + dr, column + dc)) s.TerrainGrid(row + dr, column + dc) = kLand;
  }
}

void PaintLakes(GeneratorState& s) {
  const SettingsRecord& r = s.settings;
  // The target counts all water, sea included; it wraps at 16 bits.
  uint16_t lakeTarget = static_cast<uint16_t>(s.AreaUnit * r.Lakes);
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
  uint16_t mountainTarget = static_cast<uint16_t>(r.Mountains * c / 100);
  s.StageResult = 0;
  CellPool pool;
  pool.PoolInit(s.MapSize());
  while (s.StageResult < mountainTarget && pool.PoolCount() > 0) {
    if (s.random.RandInt(100) > 60) {
      s.StageResult = RaiseMountainRange(s);
      continue;
    }
    int n = s.random.RandInt(pool.PoolCount()) + 1;
    PoolCell cell = pool.PoolTake(n);
    int32_t size = s.random.RandInt(5);
    if (size < 1) size = 1;
    s.StageResult = PaintArea(s, kCoast, kMountain, cell.row, cell.column, static_cast<uint16_t>(size));
  }
  pool.PoolFree();
  s.StageResult = EdgeMountains(s);
  s.ui->Progress(30);
}

void PaintBuildableLand(GeneratorState& s) {
  int32_t c = CountInterior(s, kCoast);
  uint16_t target = static_cast<uint16_t>(c * s.settings.BuildableLand / 100);
  FillFromPool(s, target, kCoast, kGrass, 0, [&] { return static_cast<uint16_t>(s.random.RandInt(10)); });
}

void PaintForest(GeneratorState& s) {
  int32_t c = CountInterior(s, kGrass);
  uint16_t target = static_cast<uint16_t>(s.settings.Forest * c / 100);
  FillFromPool(s, target, kGrass, kForest, 0, [&] { return static_cast<uint16_t>(s.random.RandInt(10) + 2); });
  s.StageResult = EdgeForest(s);
}

void WriteMap(GeneratorState& s) {
  if (s.settings.MapFileName.empty()) s.settings.MapFileName.assign(kDefaultMapFileName);
  WriteMapFile(s);
}

// One attempt at a whole map, from the island mass to the written file.
void RunAttempt(GeneratorState& s) {
  SettingsRecord& r = s.settings;
  const int mapSize = s.MapSize();

  r.RetryGeneration = 0;
  r.PlayersPlaced = 1;
  s.StartIslandsMode = false;
  Report(s, 5, "Create Island Mass");
  s.UnitListLength = 0;
  s.AreaUnit = static_cast<uint16_t>(mapSize * mapSize / 100);
  s.OccupancyGrid.Fill(mapSize, 0);
  BuildIslandMass(s);

  Report(s, 10, "Rivers");
  if (!s.StartIslandsMode) {
    if (r.RiversEnable) s.StageResult = CarveRivers(s);
    Report(s, 15, "Lakes");
    if (r.LakesEnable) PaintLakes(s);
  }

  Report(s, 20, "Coastline");
  s.StageResult = ShapeCoastline(s);

  Report(s, 25, "Mountains");
  if (s.StartIslandsMode) {
    for (int p = 0; p < kPlayers; ++p)
      if (r.PlayerController[p] != kControllerNobody) s.TerrainGrid(s.StartCells[p].row, s.StartCells[p].column) = kGrass;
  } else {
    if (r.MountainsEnable) RaiseMountains(s);
    s.ui->Status("Buildable Land");
    PaintBuildableLand(s);
  }
  s.StageResult = EdgeGrass(s);

  Report(s, 35, "Forest");
  if (!s.StartIslandsMode && r.ForestEnable) PaintForest(s);

  Report(s, 40, "REGM");
  BuildRegionMap(s);
  Report(s, 45, "Gold / Units");
  BuildMoveMap(s);
  Report(s, 50, "SQM");

  if (!r.BuildOnSand && (r.BuildableLand < 15 || (r.LandWater >= 5 && r.LandWater <= 10))) {
    if (s.ui->AskBuildOnSand(kBuildOnSandQuestion) == BuildOnSandAnswer::kOk) r.BuildOnSand = 1;
  }
  s.OccupancyGrid.Fill(mapSize, 0);
  s.ScratchGrid.Fill(mapSize, 0);
  PlaceResources(s);
  if (s.menu.safetyMode) ApplySafetyClamps(s, "SAFETY");

  Report(s, 85, "Char");
  if (!r.PlayersPlaced && s.menu.showWarnings) {
    switch (s.ui->AskUnplaced(kUnplacedQuestion)) {
      case UnplacedAnswer::kAbort:
        r.PlayersPlaced = 0;
        r.RetryGeneration = 0;
        break;
      case UnplacedAnswer::kRetry:
        r.PlayersPlaced = 0;
        r.RetryGeneration = 1;
        break;
      case UnplacedAnswer::kIgnore:
        r.PlayersPlaced = 1;
        r.RetryGeneration = 0;
        break;
    }
  }
  if (r.PlayersPlaced) {
    s.ui->Status("Decorations");
    ScatterDecorations(s);
    Report(s, 95, "Save File");
    WriteMap(s);
    Report(s, 100, " ");
    s.ui->Inform(kDoneCreating);
  }
}

void RunGenitize(GeneratorState& s) {
  // Marks of an earlier, unrelated map must not leak into the loaded one.
  s.OccupancyGrid.Fill(kMaxMapSize, 0);
  RebuildMoveMap(s);
  WriteMap(s);
  s.ui->Inform(kDoneGenitizing);
}

}  // namespace

void RunGeneration(GeneratorState& s) {
  if (s.MapLoaded) {
    RunGenitize(s);
    return;
  }
  do {
    RunAttempt(s);
  } while (s.settings.RetryGeneration);
  if (!s.settings.PlayersPlaced) s.ui->Inform(kNoPlayableMap);
}

}  // namespace glenmire
