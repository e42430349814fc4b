// What the bodies use to say a promise was broken: the message and an abort,
// which libFuzzer and the regression tests both see as a failure.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzing {

[[noreturn]] inline void Broken(const std::string& what) {
  std::fprintf(stderr, "fuzz: broken promise: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

inline void Check(bool holds, const std::string& what) {
  if (!holds) Broken(what);
}

}  // namespace fuzzing
