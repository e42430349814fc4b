// The walker's start, turns and steering. Reads and writes only the walker
// and the random sequence; rivers and mountain ranges supply the brushes.
#include "terrain/rivers_and_ranges_walker.h"

#include <cstdlib>

namespace glenmire {

namespace {

struct TurnOptions {
  uint8_t firstSide;
  uint8_t straight;
  uint8_t secondSide;
};

TurnOptions TurnsFrom(uint8_t heading) {
  switch (heading) {
    case kHeadNW: return {kHeadN, kHeadNW, kHeadW};
    case kHeadN: return {kHeadNW, kHeadN, kHeadNE};
    case kHeadNE: return {kHeadN, kHeadNE, kHeadE};
    case kHeadW: return {kHeadNW, kHeadW, kHeadSW};
    case kHeadE: return {kHeadNE, kHeadE, kHeadSE};
    case kHeadSW: return {kHeadW, kHeadSW, kHeadS};
    case kHeadS: return {kHeadSW, kHeadS, kHeadSE};
    case kHeadSE: return {kHeadE, kHeadSE, kHeadS};
    default: return {heading, heading, heading};
  }
}

}  // namespace

void StartWalker(Walker& w, Random& random, int32_t mapSize) {
  const int32_t pos = random.RandInt(mapSize - 10) + 5;
  if (random.RandInt(2) == 1) {
    if (random.RandInt(2) == 1) {
      w.a = 1;
      w.heading = kHeadS;
    } else {
      w.a = mapSize;
      w.heading = kHeadN;
    }
    w.b = pos;
  } else {
    if (random.RandInt(2) == 1) {
      w.b = 1;
      w.heading = kHeadE;
    } else {
      w.b = mapSize;
      w.heading = kHeadW;
    }
    w.a = pos;
  }
  w.aiming = true;
  w.targetB = random.RandInt(mapSize - 1) + 1;
  w.targetA = random.RandInt(mapSize - 1) + 1;
}

void MoveAlong(int32_t& a, int32_t& b, uint8_t heading) {
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

uint8_t SteerTowardTarget(Walker& w) {
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

uint8_t ChooseHeading(Walker& w, Random& random) {
  const TurnOptions turns = TurnsFrom(w.heading);
  const int32_t x = random.RandInt(16);
  if (x >= 1 && x <= 4) return turns.firstSide;
  if (x >= 5 && x <= 8) return turns.secondSide;
  if (x == 9 || x == 10) return turns.straight;
  return w.aiming ? SteerTowardTarget(w) : turns.straight;
}

}  // namespace glenmire
