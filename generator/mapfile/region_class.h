// The high byte of a cell's "REGM" value: what kind of ground its tile is
// (0x40 open water, 0x00 land, 0xFF forest and mountains).
#pragma once

#include <cstdint>

namespace glenmire {

inline constexpr uint8_t RegionClassByte(uint16_t tile) {
  auto in = [tile](uint16_t lo, uint16_t hi) { return tile >= lo && tile <= hi; };
  uint8_t kind;  // 0x10 water, 0x50 land, 0x70 forest, 0x80 mountains
  // Solid tiles first, then the mixed tiles by their family.
  if (in(0x10, 0x19))
    kind = 0x10;
  else if (in(0x30, 0x39) || in(0x50, 0x59))
    kind = 0x50;
  else if (in(0x70, 0x79))
    kind = 0x70;
  else if (in(0x80, 0x89))
    kind = 0x80;
  else if (tile >= 0x0700)
    kind = 0x70;
  else if (tile >= 0x0500)
    kind = 0x50;
  else if (tile >= 0x0400)
    kind = 0x80;
  else if (tile >= 0x0100)
    kind = 0x50;
  else
    kind = 0x10;  // any other solid tile counts as water
  switch (kind) {
    case 0x10: return 0x40;
    case 0x50: return 0x00;
    default: return 0xFF;
  }
}

}  // namespace glenmire
