#include "core/cell_pool.h"

#include <algorithm>
#include <array>
#include <bit>

namespace glenmire {

namespace {

// kSelectInByte[v][k]: the place of the k-th (from 0) set bit of the byte v.
constexpr std::array<std::array<uint8_t, 8>, 256> kSelectInByte = [] {
  std::array<std::array<uint8_t, 8>, 256> table{};
  for (int v = 0; v < 256; ++v) {
    int k = 0;
    for (int bit = 0; bit < 8; ++bit)
      if (v >> bit & 1) table[v][k++] = static_cast<uint8_t>(bit);
  }
  return table;
}();

constexpr uint64_t kOnes = 0x0101010101010101ull;

// The place of the k-th (from 0) set bit of x, which has more than k: the
// byte that holds it from the bytes' running counts, then the bit by table.
int SelectBit(uint64_t x, int k) {
  uint64_t counts = x - ((x >> 1) & 0x5555555555555555ull);
  counts = (counts & 0x3333333333333333ull) + ((counts >> 2) & 0x3333333333333333ull);
  counts = (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0Full;  // set bits per byte
  const uint64_t upTo = counts * kOnes;  // byte i: set bits in bytes 0..i (at most 64)
  // High bit of byte i set when k >= upTo[i], i.e. the bit lies beyond byte i.
  const uint64_t beyond = ((static_cast<uint64_t>(k) * kOnes | 0x8080808080808080ull) - upTo) & 0x8080808080808080ull;
  const int byte = static_cast<int>(((beyond >> 7) * kOnes) >> 56);
  const int before = static_cast<int>(((upTo << 8) >> (8 * byte)) & 0xFF);
  return 8 * byte + kSelectInByte[(x >> (8 * byte)) & 0xFF][k - before];
}

}  // namespace

void CellPool::PoolInit(int mapSize) {
  side_ = std::clamp(mapSize, 0, kMaxMapSize);
  count_ = side_ * side_;
  // ceil(2^32 / side): for an index below 2^14 and a side of at most 2^7 the
  // error stays below 2^-18, too little to carry past a whole number.
  reciprocal_ = side_ == 0 ? 0 : ((uint64_t{1} << 32) + side_ - 1) / side_;
  const int fullWords = count_ / 64, rest = count_ % 64;
  int cells = 0;
  for (int g = 0; g < kGroups; ++g) {
    int inGroup = 0;
    for (int w = g * kWordsPerGroup; w < (g + 1) * kWordsPerGroup; ++w) {
      words_[w] = w < fullWords ? ~uint64_t{0} : w == fullWords && rest > 0 ? (uint64_t{1} << rest) - 1 : 0;
      inGroup += std::popcount(words_[w]);
      wordsUpTo_[w] = static_cast<uint16_t>(inGroup);
    }
    cells += inGroup;
    groupsUpTo_[g] = static_cast<uint16_t>(cells);
  }
}

PoolCell CellPool::PoolTake(int n) {
  if (n < 1 || n > count_) return PoolCell{1, 1};
  // Position n from the front is the smallest index left but `skip`. Its
  // group is the number of groups that end at or before it, its word the
  // same within the group; both counts and the updates after the take run
  // over all 16 entries, so no branch depends on the draw.
  int skip = count_ - n;
  int group = 0;
  for (int g = 0; g < kGroups; ++g) group += groupsUpTo_[g] <= skip;
  skip -= group == 0 ? 0 : groupsUpTo_[group - 1];
  uint16_t* const upTo = wordsUpTo_ + group * kWordsPerGroup;
  int inGroup = 0;
  for (int w = 0; w < kWordsPerGroup; ++w) inGroup += upTo[w] <= skip;
  skip -= inGroup == 0 ? 0 : upTo[inGroup - 1];
  const int word = group * kWordsPerGroup + inGroup;
  const int bit = SelectBit(words_[word], skip);
  words_[word] &= ~(uint64_t{1} << bit);
  for (int g = 0; g < kGroups; ++g) groupsUpTo_[g] -= g >= group;
  for (int w = 0; w < kWordsPerGroup; ++w) upTo[w] -= w >= inGroup;
  --count_;
  const int index = 64 * word + bit;
  // index / side by the reciprocal: exact for every index of the grids.
  const int row = static_cast<int>((static_cast<uint64_t>(index) * reciprocal_) >> 32);
  return PoolCell{row + 1, index - row * side_ + 1};
}

void CellPool::PoolFree() {
  side_ = 0;
  count_ = 0;
}

}  // namespace glenmire
