// Numbers as the GEO files and the BMP pictures store them: little-endian,
// lowest byte first.
#pragma once

#include <cstdint>
#include <vector>

namespace modelyard {

// Appends the low `bytes` bytes of v.
inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The number in the `bytes` bytes at p.
inline uint32_t GetLe(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
  return v;
}

inline void PutInt32(std::vector<uint8_t>& out, uint32_t v) { PutLe(out, v, 4); }
inline void PutInt16(std::vector<uint8_t>& out, int16_t v) { PutLe(out, static_cast<uint16_t>(v), 2); }
inline int32_t GetInt32(const uint8_t* p) { return static_cast<int32_t>(GetLe(p, 4)); }
inline int16_t GetInt16(const uint8_t* p) { return static_cast<int16_t>(static_cast<uint16_t>(GetLe(p, 2))); }

}  // namespace modelyard
