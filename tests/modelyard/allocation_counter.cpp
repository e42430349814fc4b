// Counts allocations while a flag is up, to hold the renderer to drawing
// without any once the model is loaded.
#include <cstdlib>
#include <new>

bool countAllocations = false;
int allocations = 0;

void* operator new(std::size_t size) {
  if (countAllocations) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
