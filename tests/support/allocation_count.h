// Counts the program's heap allocations, for tests that hold a piece of work
// to making none. It replaces the global operator new of the whole test
// program, so exactly one test file of a program includes it.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace glenmire::testing {

inline std::atomic<long> allocationsMade{0};

// The allocations made since this was made.
class AllocationCount {
 public:
  long Made() const { return allocationsMade - start_; }

 private:
  long start_ = allocationsMade;
};

}  // namespace glenmire::testing

// Kept out of line: seen inlined, free() on what operator new returned looks
// like a mismatch to the compiler.
[[gnu::noinline]] void* operator new(std::size_t size) {
  ++glenmire::testing::allocationsMade;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
