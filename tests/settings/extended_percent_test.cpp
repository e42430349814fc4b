// The "S x E %" products against an exact computation written separately
// here, on plain bit vectors, and against the machine's own 80-bit
// arithmetic where the compiler's long double is that format.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <vector>

#include "settings/randomiser.h"

namespace glenmire {
namespace {

// A non-negative integer as bits, least significant first.
struct BitNumber {
  std::vector<int> bit;

  static BitNumber Of(uint64_t v) {
    BitNumber n;
    for (; v != 0; v >>= 1) n.bit.push_back(static_cast<int>(v & 1));
    return n;
  }
  int Length() const {
    int n = static_cast<int>(bit.size());
    while (n > 0 && bit[n - 1] == 0) --n;
    return n;
  }
  int At(int i) const { return i < static_cast<int>(bit.size()) ? bit[i] : 0; }
};

BitNumber Add(const BitNumber& a, const BitNumber& b) {
  BitNumber r;
  int carry = 0;
  int n = std::max(a.bit.size(), b.bit.size()) + 1;
  for (int i = 0; i < n; ++i) {
    int s = a.At(i) + b.At(i) + carry;
    r.bit.push_back(s & 1);
    carry = s >> 1;
  }
  return r;
}

// a - b for a >= b.
BitNumber Subtract(const BitNumber& a, const BitNumber& b) {
  BitNumber r;
  int borrow = 0;
  for (int i = 0; i < static_cast<int>(a.bit.size()); ++i) {
    int d = a.At(i) - b.At(i) - borrow;
    borrow = d < 0;
    r.bit.push_back(d & 1);
  }
  return r;
}

int Compare(const BitNumber& a, const BitNumber& b) {
  int n = std::max(a.Length(), b.Length());
  for (int i = n - 1; i >= 0; --i)
    if (a.At(i) != b.At(i)) return a.At(i) < b.At(i) ? -1 : 1;
  return 0;
}

BitNumber Multiply(const BitNumber& a, const BitNumber& b) {
  BitNumber r;
  for (int i = 0; i < b.Length(); ++i) {
    if (!b.At(i)) continue;
    BitNumber shifted;
    shifted.bit.assign(i, 0);
    shifted.bit.insert(shifted.bit.end(), a.bit.begin(), a.bit.end());
    r = Add(r, shifted);
  }
  return r;
}

BitNumber PowerOfTwo(int e) {
  BitNumber r;
  r.bit.assign(e + 1, 0);
  r.bit[e] = 1;
  return r;
}

// The nearest number with at most 64 significant bits; of two equally near,
// the one whose last kept bit is 0. Keeps the scale (trailing zeros stay).
BitNumber NearestWith64Bits(const BitNumber& x) {
  int length = x.Length();
  if (length <= 64) return x;
  int cut = length - 64;
  BitNumber below = x;
  for (int i = 0; i < cut && i < static_cast<int>(below.bit.size()); ++i) below.bit[i] = 0;
  BitNumber above = Add(below, PowerOfTwo(cut));
  int c = Compare(Subtract(x, below), Subtract(above, x));
  if (c < 0) return below;
  if (c > 0) return above;
  return below.At(cut) == 0 ? below : above;
}

// 0.01 in the 80-bit format, taken apart from its ten bytes.
const uint8_t kPercentBytes[10] = {0x0A, 0xD7, 0xA3, 0x70, 0x3D, 0x0A, 0xD7, 0xA3, 0xF8, 0x3F};

uint64_t PercentMantissa() {
  uint64_t m = 0;
  for (int i = 7; i >= 0; --i) m = (m << 8) | kPercentBytes[i];
  return m;
}
int PercentScale() {  // value = mantissa * 2^scale
  int exponent = (kPercentBytes[9] << 8 | kPercentBytes[8]) & 0x7FFF;
  return exponent - 16383 - 63;
}

// s * (e * k), each product rounded, truncated toward zero; s, e >= 0.
int64_t ReferencePercent(uint64_t s, uint64_t e) {
  BitNumber ek = NearestWith64Bits(Multiply(BitNumber::Of(e), BitNumber::Of(PercentMantissa())));
  BitNumber sek = NearestWith64Bits(Multiply(ek, BitNumber::Of(s)));
  int shift = -PercentScale();
  int64_t whole = 0;
  for (int i = sek.Length() - 1; i >= shift; --i) whole = whole * 2 + sek.At(i);
  return whole;
}

TEST(ExtendedPercent, TheConstantLiesJustBelowOnePercent) {
  EXPECT_EQ(PercentScale(), -70);
  // mantissa / 2^70 < 0.01  <=>  100 * mantissa < 2^70
  BitNumber hundredK = Multiply(BitNumber::Of(100), BitNumber::Of(PercentMantissa()));
  EXPECT_LT(Compare(hundredK, PowerOfTwo(70)), 0);
}

struct Example {
  int32_t s, e, expected;
};

TEST(ExtendedPercent, ExamplesOfTheRandomMethods) {
  const Example examples[] = {
      {20, 10, 1},    // whole product 2 comes out one lower
      {30, 10, 2},    // and 3 too
      {20, 100, 20},  // but 20 at extremity 100 is exact
      {20, 5, 0},     // the weighted method's half extremity: 1 comes out 0
      {40, 10, 3},   {80, 10, 7}, {0, 100, 0}, {100, 100, 100}, {1000, 10, 99},
  };
  for (const Example& x : examples) {
    EXPECT_EQ(ExtendedPercent(x.s, x.e), x.expected) << x.s << " x " << x.e << " %";
    EXPECT_EQ(ReferencePercent(x.s, x.e), x.expected) << x.s << " x " << x.e << " %";
  }
}

TEST(ExtendedPercent, EveryAmountOfTheRandomMethods) {
  // Spans 0..300 cover every land, resource and unit byte span; extremities
  // 1..100 every track bar position.
  for (int32_t s = 0; s <= 300; ++s)
    for (int32_t e = 1; e <= 100; ++e)
      ASSERT_EQ(ExtendedPercent(s, e), ReferencePercent(s, e)) << s << " x " << e << " %";
}

TEST(ExtendedPercent, LargeSpansAndTheSign) {
  for (int64_t s = 301; s <= INT32_MAX; s = s * 3 + 7)
    for (int32_t e : {1, 3, 10, 33, 50, 99, 100, 127})
      EXPECT_EQ(ExtendedPercent(static_cast<int32_t>(s), e), ReferencePercent(s, e)) << s << " x " << e;
  // Negative spans (a centre above its upper bound) round and truncate symmetrically.
  EXPECT_EQ(ExtendedPercent(-545, 10), -ReferencePercent(545, 10));
  EXPECT_EQ(ExtendedPercent(-20, 10), -1);
  EXPECT_EQ(ExtendedPercent(20, -56), -ReferencePercent(20, 56));
  EXPECT_EQ(ExtendedPercent(INT32_MIN, 100), -ReferencePercent(2147483648ull, 100));
  EXPECT_EQ(ExtendedPercent(5, 0), 0);
}

#if LDBL_MANT_DIG == 64
TEST(ExtendedPercent, AgreesWithThisMachinesExtendedArithmetic) {
  long double k;
  static_assert(sizeof(long double) >= 10);
  std::memset(&k, 0, sizeof k);
  std::memcpy(&k, kPercentBytes, 10);
  for (int32_t s = 0; s <= 300; ++s)
    for (int32_t e = 1; e <= 100; ++e) {
      volatile long double ek = static_cast<long double>(e) * k;
      volatile long double sek = static_cast<long double>(s) * ek;
      ASSERT_EQ(ExtendedPercent(s, e), static_cast<int32_t>(sek)) << s << " x " << e;
    }
}
#endif

}  // namespace
}  // namespace glenmire
