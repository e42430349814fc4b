#include "sample_car.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "little_endian.h"
#include "mesh_model.h"

namespace modelyard {

namespace {

struct Quad {
  uint8_t a, b, c, d;
  const char* material;
};

struct Part {
  std::string name;
  std::vector<std::array<int16_t, 3>> vertices;
  std::vector<Quad> quads;
};

// Vertex i of a box has x from bit 0, y from bit 1, z from bit 2; the top may
// be narrower than the bottom.
Part Box(const std::string& name, int x0, int x1, int y0, int y1, int z0, int z1, int inset, bool bottom,
         const char* material) {
  Part p{name, {}, {}};
  for (int i = 0; i < 8; ++i) {
    const bool top = (i & 2) != 0;
    const int dx = top ? inset : 0, dz = top ? inset / 2 : 0;
    p.vertices.push_back({static_cast<int16_t>((i & 1) ? x1 - dx : x0 + dx), static_cast<int16_t>(top ? y1 : y0),
                          static_cast<int16_t>((i & 4) ? z1 - dz : z0 + dz)});
  }
  p.quads = {{0, 2, 6, 4, material},
             {1, 5, 7, 3, material},
             {2, 3, 7, 6, material},
             {0, 1, 3, 2, material},
             {4, 6, 7, 5, material}};
  if (bottom) p.quads.push_back({0, 4, 5, 1, material});
  return p;
}

// An eight-sided wheel: ring 0..7 on the inner side, 8..15 on the outer side.
Part Wheel(const std::string& name, int x, int y, int zInner, int zOuter) {
  Part p{name, {}, {}};
  constexpr int kRadius = 145;
  for (int side = 0; side < 2; ++side) {
    for (int k = 0; k < 8; ++k) {
      const double angle = k * 3.14159265 / 4 + 3.14159265 / 8;
      p.vertices.push_back({static_cast<int16_t>(x + std::lround(kRadius * std::cos(angle))),
                            static_cast<int16_t>(y + std::lround(kRadius * std::sin(angle))),
                            static_cast<int16_t>(side == 0 ? zInner : zOuter)});
    }
  }
  for (uint8_t k = 0; k < 8; ++k) {
    const auto n = static_cast<uint8_t>((k + 1) % 8);
    p.quads.push_back({k, n, static_cast<uint8_t>(n + 8), static_cast<uint8_t>(k + 8), "TYRE"});
  }
  for (uint8_t base : {uint8_t{0}, uint8_t{8}}) {
    for (uint8_t k : {uint8_t{0}, uint8_t{2}, uint8_t{4}}) {
      p.quads.push_back({base, static_cast<uint8_t>(base + k + 1), static_cast<uint8_t>(base + k + 2),
                         static_cast<uint8_t>(base + k + 3), "RIMS"});
    }
  }
  return p;
}

void PutPart(std::vector<uint8_t>& out, const Part& part, uint32_t number) {
  PutInt32(out, static_cast<uint32_t>(part.vertices.size()));
  PutInt32(out, static_cast<uint32_t>(part.quads.size()));
  std::array<uint8_t, kGeoNameSize> name{};
  std::memcpy(name.data(), part.name.data(), std::min(part.name.size(), name.size()));
  out.insert(out.end(), name.begin(), name.end());
  for (const auto& v : part.vertices) {
    for (int16_t c : v) PutInt16(out, c);
  }
  if (part.vertices.size() % 2 != 0) {
    for (int i = 0; i < 3; ++i) PutInt16(out, 0);
  }
  uint32_t q = 0;
  for (const Quad& quad : part.quads) {
    PutInt32(out, number << 16 | q++);
    out.insert(out.end(), {quad.a, quad.b, quad.c, quad.d});
    out.insert(out.end(), quad.material, quad.material + 4);
  }
}

void PutEmpty(std::vector<uint8_t>& out) { out.insert(out.end(), kGeoObjectHeadSize, 0); }

}  // namespace

std::vector<uint8_t> BuildSampleCarGeo() {
  std::vector<uint8_t> out(kGeoHeaderSize, 0);
  const char* label = "modelyard sample car";
  std::memcpy(out.data(), label, std::strlen(label));
  // Small enough to turn at the viewer's first distance without any corner
  // coming near the eye.
  PutPart(out, Box("Body", -680, 680, -110, 110, -300, 300, 0, true, "PNT1"), 1);
  PutPart(out, Box("Cabin", -390, 285, 110, 315, -280, 280, 135, false, "GLAS"), 2);
  PutPart(out, Wheel("Wheel front left", 435, -110, -300, -390), 3);
  PutPart(out, Wheel("Wheel front right", 435, -110, 300, 390), 4);
  PutEmpty(out);
  PutPart(out, Wheel("Wheel rear left", -435, -110, -300, -390), 5);
  PutPart(out, Wheel("Wheel rear right", -435, -110, 300, 390), 6);
  PutEmpty(out);
  return out;
}

}  // namespace modelyard
