#include "core/symmetry.h"

namespace glenmire {

namespace {

constexpr Motion kIdentity{1, 0, 0, 1};
constexpr Motion kFlipX{-1, 0, 0, 1};
constexpr Motion kFlipY{1, 0, 0, -1};
constexpr Motion kDiagonal{0, 1, 1, 0};
constexpr Motion kHalf{-1, 0, 0, -1};
constexpr Motion kQuarter{0, -1, 1, 0};  // clockwise on the screen
constexpr Motion kThreeQuarter{0, 1, -1, 0};
constexpr Motion kAntiDiagonal{0, -1, -1, 0};

constexpr Motion kNoneMotions[] = {kIdentity};
constexpr Motion kMirrorXMotions[] = {kIdentity, kFlipX};
constexpr Motion kMirrorYMotions[] = {kIdentity, kFlipY};
constexpr Motion kDiagonalMotions[] = {kIdentity, kDiagonal};
constexpr Motion kHalfMotions[] = {kIdentity, kHalf};
constexpr Motion kQuarterMotions[] = {kIdentity, kQuarter, kHalf, kThreeQuarter};
constexpr Motion kMirrorXYMotions[] = {kIdentity, kFlipX, kFlipY, kHalf};
constexpr Motion kEightMotions[] = {kIdentity, kFlipX,        kFlipY,   kHalf,
                                    kDiagonal, kAntiDiagonal, kQuarter, kThreeQuarter};

struct ModeName {
  Symmetry mode;
  const char* name;
};
constexpr ModeName kNames[kSymmetryModes] = {
    {Symmetry::kNone, "none"},          {Symmetry::kMirrorX, "mirror-x"},
    {Symmetry::kMirrorY, "mirror-y"},   {Symmetry::kMirrorDiagonal, "mirror-diagonal"},
    {Symmetry::kHalfTurn, "half-turn"}, {Symmetry::kQuarterTurn, "quarter-turn"},
    {Symmetry::kMirrorXY, "mirror-xy"}, {Symmetry::kEight, "eight"},
};

constexpr int kMostPlayers = 8;

}  // namespace

const char* SymmetryName(Symmetry mode) {
  for (const ModeName& n : kNames)
    if (n.mode == mode) return n.name;
  return "none";
}

std::optional<Symmetry> ParseSymmetry(const std::string& name) {
  for (const ModeName& n : kNames)
    if (name == n.name) return n.mode;
  return std::nullopt;
}

std::string SymmetryNames() {
  std::string all;
  for (const ModeName& n : kNames) all += std::string(all.empty() ? "" : ", ") + n.name;
  return all;
}

std::span<const Motion> MotionsOf(Symmetry mode) {
  switch (mode) {
    case Symmetry::kNone: return kNoneMotions;
    case Symmetry::kMirrorX: return kMirrorXMotions;
    case Symmetry::kMirrorY: return kMirrorYMotions;
    case Symmetry::kMirrorDiagonal: return kDiagonalMotions;
    case Symmetry::kHalfTurn: return kHalfMotions;
    case Symmetry::kQuarterTurn: return kQuarterMotions;
    case Symmetry::kMirrorXY: return kMirrorXYMotions;
    case Symmetry::kEight: return kEightMotions;
  }
  return kNoneMotions;
}

bool ServesPlayers(Symmetry mode, int activePlayers) {
  if (mode == Symmetry::kNone) return true;
  return activePlayers >= 1 && activePlayers <= kMostPlayers && activePlayers % ImagesOf(mode) == 0;
}

std::optional<std::string> SymmetryRefusal(Symmetry mode, int activePlayers) {
  if (ServesPlayers(mode, activePlayers)) return std::nullopt;
  std::string counts;
  for (int n = ImagesOf(mode); n <= kMostPlayers; n += ImagesOf(mode))
    counts += (counts.empty() ? "" : n + ImagesOf(mode) > kMostPlayers ? " or " : ", ") + std::to_string(n);
  return std::string("symmetry ") + SymmetryName(mode) + " needs " + counts + " active players, not " +
         std::to_string(activePlayers);
}

Cell ImageOf(const Motion& m, int side, Cell cell) {
  const int u = 2 * cell.column - side - 1, v = 2 * cell.row - side - 1;
  const int mu = m.xu * u + m.xv * v, mv = m.yu * u + m.yv * v;
  return {(mv + side + 1) / 2, (mu + side + 1) / 2};
}

Cell FootprintImage(const Motion& m, int side, Cell cell, int width, int height) {
  const Cell a = ImageOf(m, side, cell);
  const Cell b = ImageOf(m, side, {cell.row + height - 1, cell.column + width - 1});
  return {a.row < b.row ? a.row : b.row, a.column < b.column ? a.column : b.column};
}

unsigned MoveCorners(const Motion& m, unsigned mask) {
  // Corner k of the mask at (du, dv): NW (-1, -1), NE (1, -1), SW (-1, 1), SE (1, 1).
  unsigned moved = 0;
  for (unsigned k = 0; k < 4; ++k) {
    if ((mask >> k & 1) == 0) continue;
    const int du = (k & 1) ? 1 : -1, dv = (k & 2) ? 1 : -1;
    const int mu = m.xu * du + m.xv * dv, mv = m.yu * du + m.yv * dv;
    moved |= 1u << ((mu > 0 ? 1 : 0) | (mv > 0 ? 2 : 0));
  }
  return moved;
}

bool InSector(Symmetry mode, int side, Cell cell) { return InPlacementSector(mode, side, cell, 0); }

bool InPlacementSector(Symmetry mode, int side, Cell cell, int margin) {
  const int half = side / 2;
  const bool left = cell.column <= half - margin, top = cell.row <= half - margin;
  // On the diagonal itself only with no margin.
  const bool aboveDiagonal = cell.column - cell.row >= (margin == 0 ? 0 : margin + 1);
  switch (mode) {
    case Symmetry::kNone: return true;
    case Symmetry::kMirrorX: return left;
    case Symmetry::kMirrorY:
    case Symmetry::kHalfTurn: return top;
    case Symmetry::kMirrorDiagonal: return aboveDiagonal;
    case Symmetry::kQuarterTurn:
    case Symmetry::kMirrorXY: return left && top;
    case Symmetry::kEight: return left && top && aboveDiagonal;
  }
  return true;
}

int MotionIntoSector(Symmetry mode, int side, Cell cell) {
  const std::span<const Motion> motions = MotionsOf(mode);
  for (std::size_t i = 0; i < motions.size(); ++i)
    if (InSector(mode, side, ImageOf(motions[i], side, cell))) return static_cast<int>(i);
  return 0;
}

namespace {

struct SectorCache {
  Symmetry mode = Symmetry::kNone;
  int side = -1;
  std::vector<SectorSource> sources;
  std::vector<Cell> seams;
};

const SectorCache& CacheFor(Symmetry mode, int side) {
  thread_local SectorCache cache;
  if (cache.mode == mode && cache.side == side) return cache;
  cache.mode = mode;
  cache.side = side;
  cache.sources.clear();
  cache.seams.clear();
  const std::span<const Motion> motions = MotionsOf(mode);
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      const int k = MotionIntoSector(mode, side, {r, c});
      cache.sources.push_back({ImageOf(motions[static_cast<std::size_t>(k)], side, {r, c}), static_cast<uint8_t>(k)});
    }
  auto motionAt = [&](int r, int c) { return cache.sources[static_cast<std::size_t>((r - 1) * side + c - 1)].motion; };
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      bool seam = false;
      for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
          const int nr = r + dr, nc = c + dc;
          if (nr >= 1 && nr <= side && nc >= 1 && nc <= side && motionAt(nr, nc) != motionAt(r, c)) seam = true;
        }
      if (seam) cache.seams.push_back({r, c});
    }
  return cache;
}

}  // namespace

const std::vector<SectorSource>& SectorSources(Symmetry mode, int side) { return CacheFor(mode, side).sources; }
const std::vector<Cell>& SeamCells(Symmetry mode, int side) { return CacheFor(mode, side).seams; }

}  // namespace glenmire
