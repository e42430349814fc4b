// The libFuzzer entry point of every target: the body is the target's FuzzOne.
#include "fuzz_one.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) { return FuzzOne(data, size); }
