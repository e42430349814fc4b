// The edge passes give every cell of a class its tile from the classes of
// its eight neighbours alone (a cell that turns into the neighbour class
// changes no corner of any other), so on symmetric classes they give
// symmetric tiles: the copies below are made before them.
#include "terrain/symmetric_terrain.h"

#include <vector>

#include "terrain/area_painter.h"
#include "terrain/tile_families.h"

namespace glenmire {

namespace {

constexpr TileFamily kFamilies[] = {kCoastEdges, kMountainEdges, kGrassEdges, kForestEdges};
constexpr unsigned kAllCorners = 15;

const TileFamily* FamilyOf(uint16_t tile) {
  for (const TileFamily& f : kFamilies)
    if (tile >= f.base && tile < f.base + kTileFamilySpan) return &f;
  return nullptr;
}

Motion Inverse(const Motion& m) { return {m.xu, m.yu, m.xv, m.yv}; }

uint16_t TileOf(const TileFamily& f, unsigned mask, uint16_t variant) {
  const uint16_t tile = MixedTile(f, mask);
  return tile == kCoastSouthTile ? tile : static_cast<uint16_t>(tile + variant);
}

void UndoEdges(GeneratorState& s, uint16_t base, uint16_t cellClass) {
  const int side = s.MapSize();
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      uint16_t& t = s.TerrainGrid(r, c);
      if (t >= base && t < base + kTileFamilySpan) t = cellClass;
    }
}

}  // namespace

unsigned CornersOfTile(uint16_t tile) {
  const TileFamily* f = FamilyOf(tile);
  if (f == nullptr) return 0;
  if (f->base == kCoastEdges.base && (tile & ~0xFu) == (kCoastSouthTile & ~0xFu)) return kCoastSouthMask;
  const int digit = (tile - f->base) / kTileDigitStep;
  const int mask = f->countDown ? 14 - digit : digit + 1;
  return mask >= 1 && mask < static_cast<int>(kAllCorners) ? static_cast<unsigned>(mask) : 0;
}

uint16_t MovedTile(uint16_t tile, const Motion& m) {
  const TileFamily* f = FamilyOf(tile);
  const unsigned mask = CornersOfTile(tile);
  if (f == nullptr || mask == 0) return tile;
  const auto variant = static_cast<uint16_t>(tile == kCoastSouthTile ? 0 : tile % kTileDigitStep);
  return TileOf(*f, MoveCorners(m, mask), variant);
}

void CopySectorTerrain(GeneratorState& s, Symmetry mode) {
  const int side = s.MapSize();
  const std::span<const Motion> motions = MotionsOf(mode);
  const std::vector<SectorSource>& sources = SectorSources(mode, side);
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      const SectorSource& source = sources[static_cast<std::size_t>((r - 1) * side + c - 1)];
      if (source.motion == 0) continue;
      const uint16_t tile = s.TerrainGrid(source.from.row, source.from.column);
      s.TerrainGrid(r, c) = tile < kFamilies[0].base ? tile : MovedTile(tile, Inverse(motions[source.motion]));
    }
}

void CopySectorMoveMap(GeneratorState& s, Symmetry mode) {
  const int side = s.MapSize();
  const std::vector<SectorSource>& sources = SectorSources(mode, side);
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      const SectorSource& source = sources[static_cast<std::size_t>((r - 1) * side + c - 1)];
      if (source.motion != 0) s.MoveGrid.At(side, r, c) = s.MoveGrid.At(side, source.from.row, source.from.column);
    }
}

void FoldStartIslands(GeneratorState& s, Symmetry mode) {
  if (!s.StartIslandsMode) return;
  const int side = s.MapSize();
  const std::span<const Motion> motions = MotionsOf(mode);
  const int images = ImagesOf(mode);
  // The others share the first active player's island.
  const std::vector<int> players = ActivePlayers(s.settings.PlayerController);
  if (players.empty()) return;
  const int sectorPlayers = static_cast<int>(players.size()) / images;
  s.TerrainGrid.Fill(side, kWater);
  // An island keeps two cells from every line, so its images never touch it.
  constexpr int kIslandMargin = 2;
  for (int i = 0; i < static_cast<int>(players.size()); ++i) {
    const int p = players[static_cast<std::size_t>(i)];
    const int j = i / sectorPlayers;
    const int rep = players[static_cast<std::size_t>(i % sectorPlayers)];
    if (j == 0) {
      Cell cell{s.StartCells[p].row, s.StartCells[p].column};
      cell = ImageOf(motions[static_cast<std::size_t>(MotionIntoSector(mode, side, cell))], side, cell);
      // Pulled in from the lines along the diagonal, until the island is clear of them.
      for (int step = 0; step < side && !InPlacementSector(mode, side, cell, kIslandMargin); ++step) {
        if (cell.row > 1 + kIslandMargin) --cell.row;
        if (cell.column < side / 2 - kIslandMargin || mode == Symmetry::kMirrorDiagonal) {
          if (cell.column < side - kIslandMargin) ++cell.column;
        } else {
          --cell.column;
        }
      }
      s.StartCells[p] = {static_cast<uint8_t>(cell.row), static_cast<uint8_t>(cell.column)};
      for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
          if (InsideMap(side, cell.row + dr, cell.column + dc)) s.TerrainGrid(cell.row + dr, cell.column + dc) = kLand;
    } else {
      const Cell image =
          ImageOf(motions[static_cast<std::size_t>(j)], side, {s.StartCells[rep].row, s.StartCells[rep].column});
      s.StartCells[p] = {static_cast<uint8_t>(image.row), static_cast<uint8_t>(image.column)};
    }
  }
  for (int p = 0; p < kPlayers; ++p) {
    const uint8_t controller = s.settings.PlayerController[p];
    if (controller != kControllerComputer && controller != kControllerHuman) s.StartCells[p] = s.StartCells[players[0]];
  }
}

void KeepPainterRule(GeneratorState& s, Symmetry mode, uint16_t from, uint16_t to) {
  const int side = s.MapSize();
  std::vector<Cell> back;
  // Away from the seams every square is a copy of one the painter looked at.
  for (const Cell& cell : SeamCells(mode, side))
    if (s.TerrainGrid(cell.row, cell.column) == to && !SquareAllows(s, side, cell.row, cell.column, from, to))
      back.push_back(cell);
  for (const Cell& cell : back) s.TerrainGrid(cell.row, cell.column) = from;
}

void UndoMountainEdges(GeneratorState& s) { UndoEdges(s, kMountainEdges.base, kCoast); }
void UndoForestEdges(GeneratorState& s) { UndoEdges(s, kForestEdges.base, kGrass); }

}  // namespace glenmire
