#include "report/map_picture.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "core/atomic_file.h"
#include "core/file_error.h"
#include "core/unit_types.h"
#include "placement/unit_list.h"

namespace glenmire {
namespace {

// Solid tile families (tile / 16) that a picture tells apart.
enum Family {
  kFLightWater,
  kFDarkWater,
  kFLightCoast,
  kFDarkCoast,
  kFLightGround,
  kFDarkGround,
  kFForest,
  kFRock,
  kFWall,
  kFamilies
};

constexpr Rgb kPalette[4][kFamilies] = {
    // forest
    {{48, 96, 208},
     {24, 60, 160},
     {214, 190, 120},
     {176, 150, 90},
     {72, 152, 56},
     {48, 120, 40},
     {16, 84, 28},
     {120, 112, 104},
     {150, 150, 150}},
    // winter
    {{72, 112, 200},
     {40, 72, 160},
     {200, 208, 220},
     {170, 178, 196},
     {236, 240, 246},
     {210, 218, 230},
     {40, 96, 88},
     {140, 140, 156},
     {150, 150, 150}},
    // wasteland
    {{80, 92, 128},
     {56, 64, 100},
     {196, 156, 100},
     {164, 124, 76},
     {176, 132, 80},
     {148, 108, 64},
     {100, 116, 44},
     {112, 92, 72},
     {150, 150, 150}},
    // swamp
    {{56, 100, 88},
     {36, 72, 64},
     {136, 132, 80},
     {112, 108, 64},
     {100, 128, 56},
     {80, 104, 44},
     {44, 76, 32},
     {96, 96, 84},
     {150, 150, 150}},
};

Family SolidFamily(int family) {
  switch (family) {
    case 1: return kFLightWater;
    case 2: return kFDarkWater;
    case 3: return kFLightCoast;
    case 4: return kFDarkCoast;
    case 5: return kFLightGround;
    case 6: return kFDarkGround;
    case 7: return kFForest;
    case 8: return kFRock;
    default: return kFWall;
  }
}

Rgb Blend(Rgb a, Rgb b) {
  return {static_cast<uint8_t>((a.r + b.r) / 2), static_cast<uint8_t>((a.g + b.g) / 2),
          static_cast<uint8_t>((a.b + b.b) / 2)};
}

void Fill(MapPicture& pic, int scale, int row, int column, int size, Rgb colour) {
  for (int r = row; r < row + size; ++r)
    for (int c = column; c < column + size; ++c)
      for (int y = 0; y < scale; ++y)
        for (int x = 0; x < scale; ++x) {
          int px = (c - 1) * scale + x, py = (r - 1) * scale + y;
          if (px >= 0 && py >= 0 && px < pic.width && py < pic.height)
            pic.pixels[static_cast<std::size_t>(py) * pic.width + px] = colour;
        }
}

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

}  // namespace

Rgb TileColour(uint16_t tile, int climate) {
  const Rgb* pal = kPalette[(climate >= 0 && climate <= 3) ? climate : 0];
  // The first terrain stages work in two classes, water (0) and land (1).
  if (tile < 0x10) return tile == 0 ? pal[kFLightWater] : pal[kFLightGround];
  if (tile < 256) return pal[SolidFamily(tile >> 4)];
  // Mixed tiles carry two families; show the mean of the two.
  switch ((tile >> 8) & 0x0F) {
    case 1: return Blend(pal[kFDarkWater], pal[kFLightWater]);
    case 2: return Blend(pal[kFLightWater], pal[kFLightCoast]);
    case 3: return Blend(pal[kFDarkCoast], pal[kFLightCoast]);
    case 4: return Blend(pal[kFRock], pal[kFLightCoast]);
    case 5: return Blend(pal[kFLightCoast], pal[kFLightGround]);
    case 6: return Blend(pal[kFDarkGround], pal[kFLightGround]);
    case 7: return Blend(pal[kFForest], pal[kFLightGround]);
    default: return pal[kFWall];
  }
}

Rgb OwnerColour(uint8_t owner) {
  static constexpr Rgb kPlayers[8] = {{200, 0, 0},    {0, 64, 224}, {32, 200, 152},  {160, 64, 192},
                                      {248, 136, 16}, {48, 48, 64}, {232, 232, 232}, {248, 248, 64}};
  return owner < 8 ? kPlayers[owner] : Rgb{128, 128, 128};
}

int32_t UnitBytes(const GeneratorState& s) {
  int64_t bytes = s.MapLoaded ? static_cast<int64_t>(s.LoadedUnitSectionLength) : s.UnitListLength;
  if (bytes < 0) return 0;
  return static_cast<int32_t>(bytes < kUnitListBytes ? bytes : kUnitListBytes);
}

MapPicture RenderMapPicture(const GeneratorState& s, int scale) {
  const int n = s.MapSize();
  MapPicture pic;
  pic.width = pic.height = n * scale;
  pic.pixels.assign(static_cast<std::size_t>(pic.width) * pic.height, Rgb{0, 0, 0});
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) Fill(pic, scale, r, c, 1, TileColour(s.TerrainGrid(r, c), s.settings.Climate));
  // Resources first, so units on start locations stay visible.
  const int unitBytes = UnitBytes(s);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i + 8 <= unitBytes; i += 8) {
      const UnitRecord u = DecodeUnitRecord(s.UnitList + i);
      const bool resource = u.type == kGoldMine || u.type == kOilPatch;
      if (resource != (pass == 0)) continue;
      if (u.type == kGoldMine)
        Fill(pic, scale, u.row, u.column, 3, kGoldMineColour);
      else if (u.type == kOilPatch)
        Fill(pic, scale, u.row, u.column, 2, kOilPatchColour);
      else if (u.type == kHumanStart || u.type == kOrcStart)
        Fill(pic, scale, u.row, u.column, 1, kStartLocationColour);
      else
        Fill(pic, scale, u.row, u.column, 1, OwnerColour(u.owner));
    }
  }
  return pic;
}

void WriteMapPicture(const GeneratorState& s, const std::string& path, int scale) {
  MapPicture pic = RenderMapPicture(s, scale);
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    throw FileError(path, "cannot encode the picture");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw FileError(path, "cannot encode the picture");
  }
  png_set_write_fn(png, &bytes, AppendPng, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(pic.width), static_cast<png_uint_32>(pic.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < pic.height; ++y)
    png_write_row(png, reinterpret_cast<png_const_bytep>(&pic.pixels[static_cast<std::size_t>(y) * pic.width]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace glenmire
