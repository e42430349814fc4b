// One fuzz target's body: what a single input is put through. The libFuzzer
// program (fuzz_main.cpp) and the regression test that replays the saved
// inputs both call it. An input that the program refuses with a clear
// message returns normally; a crash, an unexpected exception or a broken
// promise aborts.
#pragma once

#include <cstddef>
#include <cstdint>

int FuzzOne(const uint8_t* data, std::size_t size);
