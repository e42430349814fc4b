// The random walker that draws rivers and mountain ranges: it enters the map
// from a random edge, wanders with random turns while steering loosely toward
// a random target, drags a square brush of changing width along its path and
// stops one step after it has left the map. It works in its own coordinates
// (a, b): a moves north-south, b west-east; each user maps them onto the grid.
#pragma once

#include <cstdint>

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
void MoveAlong(int32_t& a, int32_t& b, uint8_t heading);

// The heading that takes the walker toward its target; stops the aiming once
// the walker is within 2 of the target on both axes.
uint8_t SteerTowardTarget(Walker& w);

// Draws the next heading: a turn to either side, straight on, or a steer.
uint8_t ChooseHeading(Walker& w, Random& random);

// Walks until the walker has left the map. Each step: `changeWidth(width)`
// (it draws and clamps), then, for a positive width, `brush(aLo, aHi, bLo,
// bHi)` over the square of half side width / 2 (unclipped), then one heading
// draw and the move. The brush runs once more at the first position outside.
template <typename ChangeWidth, typename Brush>
void Walk(Walker& w, Random& random, int32_t mapSize, ChangeWidth changeWidth, Brush brush) {
  for (;;) {
    changeWidth(w.width);
    if (w.width > 0) {
      const int32_t half = w.width / 2;
      brush(w.a - half, w.a + half, w.b - half, w.b + half);
    }
    w.heading = ChooseHeading(w, random);
    int32_t nextA = w.a;
    int32_t nextB = w.b;
    MoveAlong(nextA, nextB, w.heading);
    if (w.a < 1 || w.a > mapSize || w.b < 1 || w.b > mapSize) return;
    w.a = nextA;
    w.b = nextB;
  }
}

}  // namespace glenmire
