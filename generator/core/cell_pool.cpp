#include "core/cell_pool.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

}  // namespace

// The byte that holds the bit from the bytes' running counts, then the bit by table.
int SelectBitByCounts(uint64_t x, int k) {
  uint64_t counts = x - ((x >> 1) & 0x5555555555555555ull);
  counts = (counts & 0x3333333333333333ull) + ((counts >> 2) & 0x3333333333333333ull);
  counts = (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0Full;  // set bits per byte
  const uint64_t upTo = counts * kOnes;                       // byte i: set bits in bytes 0..i (at most 64)
  // High bit of byte i set when k >= upTo[i], i.e. the bit lies beyond byte i.
  const uint64_t beyond = ((static_cast<uint64_t>(k) * kOnes | 0x8080808080808080ull) - upTo) & 0x8080808080808080ull;
  const int byte = static_cast<int>(((beyond >> 7) * kOnes) >> 56);
  const int before = static_cast<int>(((upTo << 8) >> (8 * byte)) & 0xFF);
  return 8 * byte + kSelectInByte[(x >> (8 * byte)) & 0xFF][k - before];
}

#if defined(__x86_64__) && defined(__GNUC__)
// The one bit left when a single bit is deposited at the k-th set bit of x.
__attribute__((target("bmi,bmi2"))) int SelectBitByDeposit(uint64_t x, int k) {
  return static_cast<int>(_tzcnt_u64(_pdep_u64(uint64_t{1} << k, x)));
}

namespace {
// Deposits are fast where BMI2 exists, except on the first two Zen
// generations, which work them out bit by bit. Set once at start-up.
const bool kDepositIsFast = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("bmi2") && !__builtin_cpu_is("znver1") && !__builtin_cpu_is("znver2");
}();
}  // namespace

bool SelectByDepositIsFast() { return kDepositIsFast; }
#else
int SelectBitByDeposit(uint64_t x, int k) { return SelectBitByCounts(x, k); }
bool SelectByDepositIsFast() { return false; }
#endif

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

namespace {

// How many of the 16 running counts, rising from the first, are at or below
// `skip` (the last is not); and lowers by one those from `from` on.
#if defined(__SSE2__)
int CountAtOrBelow(const uint16_t* upTo, int skip) {
  const __m128i limit = _mm_set1_epi16(static_cast<short>(skip));
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upTo));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upTo + 8));
  const __m128i above = _mm_packs_epi16(_mm_cmpgt_epi16(low, limit), _mm_cmpgt_epi16(high, limit));
  // The bit past the sixteen marks the last count, which is always above.
  return std::countr_zero(static_cast<unsigned>(_mm_movemask_epi8(above)) | 0x8000u);
}
void LowerFrom(uint16_t* upTo, int from) {
  const __m128i first = _mm_set1_epi16(static_cast<short>(from - 1));
  const __m128i lanesLow = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
  const __m128i lanesHigh = _mm_setr_epi16(8, 9, 10, 11, 12, 13, 14, 15);
  auto* at = reinterpret_cast<__m128i*>(upTo);
  // Lanes past `first` compare as -1, which lowers them by one.
  _mm_storeu_si128(at, _mm_add_epi16(_mm_loadu_si128(at), _mm_cmpgt_epi16(lanesLow, first)));
  _mm_storeu_si128(at + 1, _mm_add_epi16(_mm_loadu_si128(at + 1), _mm_cmpgt_epi16(lanesHigh, first)));
}
#else
int CountAtOrBelow(const uint16_t* upTo, int skip) {
  int below = 0;
  for (int i = 0; i < 16; ++i) below += upTo[i] <= skip;
  return below;
}
void LowerFrom(uint16_t* upTo, int from) {
  for (int i = 0; i < 16; ++i) upTo[i] -= i >= from;
}
#endif

}  // namespace

PoolCell CellPool::PoolTake(int n) {
  if (n < 1 || n > count_) return PoolCell{1, 1};
  // Position n from the front is the smallest index left but `skip`. Its
  // group is the number of groups that end at or before it, its word the
  // same within the group; neither the counting nor the lowering of the
  // running counts after the take branches on the draw.
  static_assert(kGroups == 16 && kWordsPerGroup == 16);
  int skip = count_ - n;
  // The count before the first is 0: read the one before, or the first
  // itself and cleared, so that nothing branches on the draw.
  auto before = [](const uint16_t* upTo, int i) { return upTo[i - (i != 0)] & -(i != 0); };
  const int group = CountAtOrBelow(groupsUpTo_, skip);
  skip -= before(groupsUpTo_, group);
  uint16_t* const upTo = wordsUpTo_ + group * kWordsPerGroup;
  const int inGroup = CountAtOrBelow(upTo, skip);
  skip -= before(upTo, inGroup);
  const int word = group * kWordsPerGroup + inGroup;
#if defined(__x86_64__) && defined(__GNUC__)
  const uint64_t bits = words_[word];
  const int bit = kDepositIsFast ? SelectBitByDeposit(bits, skip) : SelectBitByCounts(bits, skip);
#else
  const int bit = SelectBitByCounts(words_[word], skip);
#endif
  words_[word] &= ~(uint64_t{1} << bit);
  LowerFrom(groupsUpTo_, group);
  LowerFrom(upTo, inGroup);
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
