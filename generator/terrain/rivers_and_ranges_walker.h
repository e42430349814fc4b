// The random walker that draws rivers and mountain ranges: it enters the map
// from a random edge, wanders with random turns while steering loosely toward
// a random target, drags a square brush of changing width along its path and
// stops one step after it has left the map. It works in its own coordinates
// (a, b): a moves north-south, b west-east; each user maps them onto the grid.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "core/random.h"

namespace glenmire {

// Headings, one bit each.
enum WalkerHeading : uint8_t {
  kHeadNW = 1,
  kHeadN = 2,
  kHeadNE = 4,
  kHeadW = 8,
  kHeadE = 16,
  kHeadSW = 32,
  kHeadS = 64,
  kHeadSE = 128,
};

struct Walker {
  int32_t a = 0;
  int32_t b = 0;
  uint8_t heading = kHeadS;
  int32_t width = 0;
  int32_t targetA = 0;
  int32_t targetB = 0;
  bool aiming = true;
};

// Puts the walker on a random edge cell, heading inward, and picks its target.
// Draws: position along the edge, axis, side, target b, target a.
void StartWalker(Walker& w, Random& random, int32_t mapSize);

// Moves (a, b) one step along `heading`; an unknown heading does not move.
inline void MoveAlong(int32_t& a, int32_t& b, uint8_t heading) {
  switch (heading) {
    case kHeadNW: --a, --b; break;
    case kHeadN: --a; break;
    case kHeadNE: --a, ++b; break;
    case kHeadW: --b; break;
    case kHeadE: ++b; break;
    case kHeadSW: ++a, --b; break;
    case kHeadS: ++a; break;
    case kHeadSE: ++a, ++b; break;
    default: break;
  }
}

// The heading that takes the walker toward its target; stops the aiming once
// the walker is within 2 of the target on both axes.
inline uint8_t SteerTowardTarget(Walker& w) {
  const bool west = w.targetB < w.b;
  const bool north = w.targetA < w.a;
  const bool nearB = std::abs(w.targetB - w.b) < 5;
  const bool nearA = std::abs(w.targetA - w.a) < 5;
  // Close on one axis already: move along that axis only.
  uint8_t heading;
  if (nearB)
    heading = west ? kHeadW : kHeadE;
  else if (nearA)
    heading = north ? kHeadN : kHeadS;
  else if (west)
    heading = north ? kHeadNW : kHeadSW;
  else
    heading = north ? kHeadNE : kHeadSE;
  if (std::abs(w.targetB - w.b) < 3 && std::abs(w.targetA - w.a) < 3) w.aiming = false;
  return heading;
}

// Draws the next heading: a turn to either side, straight on, or a steer.
inline uint8_t ChooseHeading(Walker& w, Random& random) {
  struct TurnOptions {
    uint8_t firstSide, straight, secondSide;
  };
  TurnOptions turns{w.heading, w.heading, w.heading};
  switch (w.heading) {
    case kHeadNW: turns = {kHeadN, kHeadNW, kHeadW}; break;
    case kHeadN: turns = {kHeadNW, kHeadN, kHeadNE}; break;
    case kHeadNE: turns = {kHeadN, kHeadNE, kHeadE}; break;
    case kHeadW: turns = {kHeadNW, kHeadW, kHeadSW}; break;
    case kHeadE: turns = {kHeadNE, kHeadE, kHeadSE}; break;
    case kHeadSW: turns = {kHeadW, kHeadSW, kHeadS}; break;
    case kHeadS: turns = {kHeadSW, kHeadS, kHeadSE}; break;
    case kHeadSE: turns = {kHeadE, kHeadSE, kHeadS}; break;
    default: break;
  }
  const int32_t x = random.RandInt(16);
  if (x >= 1 && x <= 4) return turns.firstSide;
  if (x >= 5 && x <= 8) return turns.secondSide;
  if (x == 9 || x == 10) return turns.straight;
  return w.aiming ? SteerTowardTarget(w) : turns.straight;
}

// Walks until the walker has left the map. Each step: `changeWidth(width,
// random)` (it draws and clamps), then, for a positive width, `brush(aLo,
// aHi, bLo, bHi)` over the square of half side width / 2 (unclipped), then
// one heading draw and the move. The brush runs once more at the first
// position outside. The walk draws from a copy of the sequence, which it
// hands to changeWidth and back to `random` at the end, so that the copy
// stays in registers while the brush writes the grid.
template <typename ChangeWidth, typename Brush>
void Walk(Walker& w, Random& random, int32_t mapSize, ChangeWidth changeWidth, Brush brush) {
  Random walk = random;
  for (;;) {
    changeWidth(w.width, walk);
    if (w.width > 0) {
      const int32_t half = w.width / 2;
      brush(w.a - half, w.a + half, w.b - half, w.b + half);
    }
    w.heading = ChooseHeading(w, walk);
    int32_t nextA = w.a;
    int32_t nextB = w.b;
    MoveAlong(nextA, nextB, w.heading);
    if (w.a < 1 || w.a > mapSize || w.b < 1 || w.b > mapSize) break;
    w.a = nextA;
    w.b = nextB;
  }
  random = walk;
}

}  // namespace glenmire
