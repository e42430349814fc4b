// The generator's one random sequence: a 32-bit linear congruential generator.
// Every stage draws from it in program order, so the order of draws is part
// of what a seed means: two runs with the same seed and answers draw the
// same numbers and write the same map.
#pragma once

#include <cstdint>

namespace glenmire {

struct Random {
  uint32_t seed = 0;
  uint64_t draws = 0;  // draws made since the last Seed(), for traces

  void Seed(uint32_t value) {
    seed = value;
    draws = 0;
  }

  // A uniform integer 0..n-1. Advances the seed exactly once, whatever n;
  // for n <= 0 the result is 0.
  int32_t RandInt(int32_t n) {
    seed = seed * 134775813u + 1u;
    ++draws;
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
  }
};

}  // namespace glenmire
