// The generator's one random sequence: a 32-bit linear congruential generator.
// Every stage draws from it in program order, so the order of draws is part
// of what a seed means: two runs with the same seed and answers draw the
// same numbers and write the same map.
#pragma once

#include <cstdint>

namespace glenmire {

struct Random {
  static constexpr uint32_t kMultiplier = 134775813u;
  static constexpr uint32_t kIncrement = 1u;

  uint32_t seed = 0;
  uint64_t draws = 0;  // draws made since the last Seed(), for traces

  void Seed(uint32_t value) {
    seed = value;
    draws = 0;
  }

  // A uniform integer 0..n-1. Advances the seed exactly once, whatever n;
  // for n <= 0 the result is 0.
  int32_t RandInt(int32_t n) {
    seed = seed * kMultiplier + kIncrement;
    ++draws;
    return Scaled(seed, n);
  }

  // Two RandInt(n) in a row, into first and second. The second seed comes
  // straight from the one before both, by the multiplier squared, so the two
  // multiplications need not wait on each other.
  void RandIntTwice(int32_t n, int32_t& first, int32_t& second) {
    const uint32_t start = seed;
    const uint32_t next = start * kMultiplier + kIncrement;
    seed = start * (kMultiplier * kMultiplier) + (kMultiplier * kIncrement + kIncrement);
    draws += 2;
    first = Scaled(next, n);
    second = Scaled(seed, n);
  }

 private:
  static int32_t Scaled(uint32_t value, int32_t n) {
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(value) * static_cast<uint32_t>(n)) >> 32);
  }
};

}  // namespace glenmire
