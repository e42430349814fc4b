// Replays every saved input of one fuzz target through the target's body. A
// broken promise or a crash aborts the program, after the input's name; an
// input that takes seconds fails as a hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_one.h"

namespace {

namespace fs = std::filesystem;

// Any input, a whole run at 128 x 128 included, takes a small part of this.
constexpr double kHangSeconds = 2;

std::vector<fs::path> Inputs(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

int Replay(const fs::path& folder) {
  int count = 0;
  for (const fs::path& file : Inputs(folder)) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "%s: %s (%zu bytes)\n", FUZZ_TARGET, file.string().c_str(), bytes.size());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FuzzOne(bytes.data(), bytes.size()), 0) << file;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), kHangSeconds) << file << " is a hang";
    ++count;
  }
  return count;
}

TEST(FuzzReplay, EveryReproducerEndsWithAnAnswerOrARefusal) { Replay(FUZZ_REPRODUCERS); }

TEST(FuzzReplay, EverySeedInputEndsWithAnAnswerOrARefusal) { EXPECT_GT(Replay(FUZZ_CORPUS), 0); }

}  // namespace
