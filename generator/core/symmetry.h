// Symmetric maps: the modes a run may ask for, the motions of the square
// each one keeps, the image of a cell, a corner and a footprint, and the
// sector whose content the other sectors copy.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glenmire {

enum class Symmetry : uint8_t {
  kNone,
  kMirrorX,         // left and right halves: column c -> N + 1 - c
  kMirrorY,         // top and bottom halves: row r -> N + 1 - r
  kMirrorDiagonal,  // across the top-left to bottom-right diagonal: (r, c) -> (c, r)
  kHalfTurn,        // a turn by 180 degrees
  kQuarterTurn,     // the four turns by 90 degrees
  kMirrorXY,        // both axes: four images
  kEight,           // all eight motions of the square
};
inline constexpr int kSymmetryModes = 8;

// "none", "mirror-x", ... as the command line and the recipes spell them.
const char* SymmetryName(Symmetry mode);
std::optional<Symmetry> ParseSymmetry(const std::string& name);
// All the names, comma separated, for messages.
std::string SymmetryNames();

// One motion of the square on centred coordinates: a cell (row, column) of a
// map of side N sits at u = 2 column - N - 1, v = 2 row - N - 1, and moves to
// (xu u + xv v, yu u + yv v).
struct Motion {
  int8_t xu, xv, yu, yv;
  bool SwapsAxes() const { return xu == 0; }
};

// The motions a mode keeps, the identity first; their number is the mode's
// images (1, 2, 4 or 8).
std::span<const Motion> MotionsOf(Symmetry mode);
inline int ImagesOf(Symmetry mode) { return static_cast<int>(MotionsOf(mode).size()); }

// Active player counts a mode serves: a multiple of its images, at most 8.
bool ServesPlayers(Symmetry mode, int activePlayers);
// Why a run with this many active players is refused, or nothing.
std::optional<std::string> SymmetryRefusal(Symmetry mode, int activePlayers);

struct Cell {
  int row, column;
};
Cell ImageOf(const Motion& m, int side, Cell cell);
// The top-left cell of the image of a width x height footprint whose top-left is `cell`.
Cell FootprintImage(const Motion& m, int side, Cell cell, int width, int height);

// Corner masks NW*1 + NE*2 + SW*4 + SE*8 of a mixed tile, moved by the motion.
unsigned MoveCorners(const Motion& m, unsigned mask);

// Whether the cell lies in the sector the other sectors copy (the lines
// included, so every cell has one image there).
bool InSector(Symmetry mode, int side, Cell cell);
// Whether a unit may stand on the cell while one sector's units are placed:
// in the sector, and at least `margin` cells clear of every symmetry line.
bool InPlacementSector(Symmetry mode, int side, Cell cell, int margin);

// The motion, among the mode's, that takes the cell into the sector (its
// index; the cell's content is the image of the content there).
int MotionIntoSector(Symmetry mode, int side, Cell cell);

// For every cell of the map, row by row: the sector cell its content comes
// from and the motion that takes it there (0 for the sector's own cells).
// Worked out once per mode and side on each thread.
struct SectorSource {
  Cell from;
  uint8_t motion;
};
const std::vector<SectorSource>& SectorSources(Symmetry mode, int side);
// The cells whose 3 x 3 square holds cells copied by different motions: the
// only ones a copy can give neighbours that were never painted beside them.
const std::vector<Cell>& SeamCells(Symmetry mode, int side);

}  // namespace glenmire
