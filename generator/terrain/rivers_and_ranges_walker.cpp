// The walker's start. Reads and writes only the walker and the random
// sequence; the turns and steering, which every step takes, are inline in
// the header.
#include "terrain/rivers_and_ranges_walker.h"

namespace glenmire {

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

}  // namespace glenmire
