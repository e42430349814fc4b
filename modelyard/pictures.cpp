// Drawing of the background, panel and view backdrop, with the two colour
// tables and a small bitmap font for the button labels.
#include "pictures.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "buttons.h"
#include "file_bytes.h"
#include "little_endian.h"

namespace modelyard {

Picture Picture::Cut(int x, int row, int w, int h) const {
  Picture face(w, h);
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) face.At(c, r) = At(x + c, row + r);
  }
  return face;
}

void Picture::Paste(const Picture& face, int x, int row) {
  for (int r = 0; r < face.height; ++r) {
    for (int c = 0; c < face.width; ++c) At(x + c, row + r) = face.At(c, r);
  }
}

namespace {

struct Glyph {
  const char* rows[7];
};

// 5 x 7 letters for the large buttons.
const std::map<char, Glyph>& LargeFont() {
  static const std::map<char, Glyph> font = {
      {'I', {{".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}}},
      {'E', {{"#####", "#....", "#....", "####.", "#....", "#....", "#####"}}},
      {'T', {{"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}}},
      {'M', {{"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}}},
      {'Z', {{"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}}},
      {'S', {{".####", "#....", "#....", ".###.", "....#", "....#", "####."}}},
      {'a', {{".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}}},
      {'d', {{"....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"}}},
      {'e', {{".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}}},
      {'i', {{"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}}},
      {'l', {{".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}}},
      {'m', {{".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}}},
      {'n', {{".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}}},
      {'o', {{".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}}},
      {'p', {{".....", ".....", "####.", "#...#", "####.", "#....", "#...."}}},
      {'r', {{".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}}},
      {'t', {{".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."}}},
      {'u', {{".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}}},
      {'v', {{".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}}},
      {'x', {{".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}}},
      {'y', {{".....", ".....", "#...#", "#...#", ".####", "....#", ".###."}}},
      {'/', {{"....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."}}},
  };
  return font;
}

// 3 x 5 capitals for the narrow buttons.
const std::map<char, Glyph>& SmallFont() {
  static const std::map<char, Glyph> font = {
      {'A', {{".#.", "#.#", "###", "#.#", "#.#"}}}, {'E', {{"###", "#..", "##.", "#..", "###"}}},
      {'I', {{"###", ".#.", ".#.", ".#.", "###"}}}, {'L', {{"#..", "#..", "#..", "#..", "###"}}},
      {'N', {{"##.", "#.#", "#.#", "#.#", "#.#"}}}, {'O', {{".#.", "#.#", "#.#", "#.#", ".#."}}},
      {'P', {{"##.", "#.#", "##.", "#..", "#.."}}}, {'R', {{"##.", "#.#", "##.", "#.#", "#.#"}}},
      {'S', {{".##", "#..", ".#.", "..#", "##."}}}, {'T', {{"###", ".#.", ".#.", ".#.", ".#."}}},
      {'U', {{"#.#", "#.#", "#.#", "#.#", "###"}}}, {'V', {{"#.#", "#.#", "#.#", "#.#", ".#."}}},
      {'X', {{"#.#", "#.#", ".#.", "#.#", "#.#"}}},
  };
  return font;
}

struct Font {
  const std::map<char, Glyph>& glyphs;
  int width, height;
};

int TextWidth(const Font& font, const std::string& text) {
  return static_cast<int>(text.size()) * (font.width + 1) - 1;
}

// `y` is the screen row of the text's top.
void DrawText(Picture& pic, int x, int y, const std::string& text, const Font& font, uint8_t colour) {
  for (char ch : text) {
    const auto it = font.glyphs.find(ch);
    if (it != font.glyphs.end()) {
      for (int r = 0; r < font.height; ++r) {
        for (int c = 0; c < font.width; ++c) {
          if (it->second.rows[r][c] == '#') pic.Screen(x + c, y + r) = colour;
        }
      }
    }
    x += font.width + 1;
  }
}

void FillScreenRect(Picture& pic, int x0, int y0, int x1, int y1, uint8_t colour) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) pic.Screen(x, y) = colour;
  }
}

// A bevelled box filling the inside of a button's open rectangle, with its
// label lines centred.
void DrawButton(Picture& pic, const Rect& r, const std::vector<std::string>& label, const Font& font, bool pressed) {
  const int x0 = r.left + 1, y0 = r.top + 1, x1 = r.right - 1, y1 = r.bottom - 1;
  FillScreenRect(pic, x0, y0, x1, y1, pressed ? bg::kPressedFace : bg::kFace);
  const uint8_t lit = pressed ? bg::kShadow : bg::kWhite;
  const uint8_t dark = pressed ? bg::kWhite : bg::kShadow;
  FillScreenRect(pic, x0, y0, x1, y0, lit);
  FillScreenRect(pic, x0, y0, x0, y1, lit);
  FillScreenRect(pic, x0, y1, x1, y1, dark);
  FillScreenRect(pic, x1, y0, x1, y1, dark);
  const int lines = static_cast<int>(label.size());
  const int textHeight = lines * (font.height + 2) - 2;
  int y = (y0 + y1 + 1 - textHeight) / 2 + (pressed ? 1 : 0);
  for (const std::string& line : label) {
    const int x = (x0 + x1 + 1 - TextWidth(font, line)) / 2 + (pressed ? 1 : 0);
    DrawText(pic, x, y, line, font, bg::kBlack);
    y += font.height + 2;
  }
}

void SetColour(ColourTable& table, int index, int red, int green, int blue) {
  table[static_cast<size_t>(4 * index)] = static_cast<uint8_t>(blue);
  table[static_cast<size_t>(4 * index + 1)] = static_cast<uint8_t>(green);
  table[static_cast<size_t>(4 * index + 2)] = static_cast<uint8_t>(red);
  table[static_cast<size_t>(4 * index + 3)] = 0;
}

// Colours from `from` to `to` over `count` entries starting at `first`.
void SetRamp(ColourTable& table, int first, int count, const int from[3], const int to[3]) {
  for (int i = 0; i < count; ++i) {
    int c[3];
    for (int k = 0; k < 3; ++k) c[k] = from[k] + (to[k] - from[k]) * i / (count - 1);
    SetColour(table, first + i, c[0], c[1], c[2]);
  }
}

void SetGreys(ColourTable& table) {
  for (int i = 0; i < 16; ++i) SetColour(table, i, i * 17, i * 17, i * 17);
}

ColourTable BackgroundTable() {
  ColourTable table{};
  SetGreys(table);
  SetColour(table, bg::kLamp, 60, 235, 70);
  SetColour(table, bg::kLampOff, 35, 70, 40);
  SetColour(table, bg::kTitle, 250, 215, 110);
  const int panelTop[3] = {78, 90, 118}, panelBottom[3] = {38, 44, 62};
  SetRamp(table, bg::kPanelRamp, 32, panelTop, panelBottom);
  const int backTop[3] = {24, 36, 78}, backBottom[3] = {8, 8, 22};
  SetRamp(table, bg::kBackRamp, 64, backTop, backBottom);
  return table;
}

// The view table: eight colour ramps of 16 entries, dark to bright, at 16..143
// (the renderer picks outline and fill colours from them), then the backdrop's
// sky and floor.
constexpr int kSky = 144, kSkyCount = 56, kFloor = 200, kFloorCount = 48, kGrid = 248;

ColourTable ViewTable() {
  ColourTable table{};
  SetGreys(table);
  const int hues[8][3] = {{235, 60, 50},  {245, 160, 40}, {80, 210, 70},  {50, 205, 225},
                          {80, 120, 245}, {215, 80, 215}, {235, 225, 70}, {235, 235, 235}};
  for (int m = 0; m < 8; ++m) {
    for (int s = 0; s < 16; ++s) {
      int c[3];
      for (int k = 0; k < 3; ++k) c[k] = hues[m][k] * (4 + 12 * s / 15) / 16;
      SetColour(table, 16 * (m + 1) + s, c[0], c[1], c[2]);
    }
  }
  const int skyTop[3] = {18, 26, 60}, skyLow[3] = {96, 124, 170};
  SetRamp(table, kSky, kSkyCount, skyTop, skyLow);
  const int floorNear[3] = {62, 66, 58}, floorFar[3] = {22, 24, 20};
  SetRamp(table, kFloor, kFloorCount, floorNear, floorFar);
  SetColour(table, kGrid, 92, 98, 86);
  return table;
}

Picture DrawBackdrop() {
  Picture pic(408, 280);
  const int horizon = 150;
  for (int y = 0; y < 280; ++y) {
    const int colour = y < horizon ? kSky + y * (kSkyCount - 1) / (horizon - 1)
                                   : kFloor + (y - horizon) * (kFloorCount - 1) / (279 - horizon);
    for (int x = 0; x < 408; ++x) pic.Screen(x, y) = static_cast<uint8_t>(colour);
  }
  // A floor grid seen at a slant: rows closer together towards the horizon,
  // lines running to the vanishing point in the middle.
  for (int k = 1; k < 12; ++k) {
    const int y = horizon + 130 * k * k / 121;
    if (y < 280) FillScreenRect(pic, 0, y, 407, y, kGrid);
  }
  for (int k = -10; k <= 10; ++k) {
    int previous = 204 + k * 60 * 12 / 130;
    for (int y = horizon + 12; y < 280; ++y) {
      // Joined row to row, so the flat lines stay unbroken.
      const int x = 204 + k * 60 * (y - horizon) / 130;
      for (int c = std::min(previous, x); c <= std::max(previous, x); ++c) {
        if (c >= 0 && c < 408 && (c == x || c != previous)) pic.Screen(c, y) = kGrid;
      }
      previous = x;
    }
  }
  return pic;
}

Picture DrawPanel(bool pressed) {
  Picture pic(120, 480);
  for (int y = 0; y < 480; ++y) {
    FillScreenRect(pic, 0, y, 119, y, static_cast<uint8_t>(bg::kPanelRamp + y / 15));
  }
  FillScreenRect(pic, 119, 0, 119, 479, bg::kBlack);
  const Font large{LargeFont(), 5, 7}, small{SmallFont(), 3, 5};
  const auto rects = ButtonRects(640, 480);
  auto rect = [&](Button b) { return rects[static_cast<size_t>(b - 1)]; };
  DrawButton(pic, rect(kTurn), {"Turn"}, large, pressed);
  DrawButton(pic, rect(kMoveZoom), {"Move/Zoom"}, large, pressed);
  DrawButton(pic, rect(kMove), {"Move"}, large, pressed);
  DrawButton(pic, rect(kImport), {"Import"}, large, pressed);
  DrawButton(pic, rect(kExport), {"Export"}, large, pressed);
  // "Solid" is a switch: its lamp tells the state, so it is never drawn held.
  const Rect solid = rect(kSolid);
  DrawButton(pic, solid, {"Solid"}, large, false);
  FillScreenRect(pic, solid.left + 5, solid.top + 11, solid.left + 9, solid.top + 16,
                 pressed ? bg::kLamp : bg::kLampOff);
  DrawButton(pic, rect(kNext), {"NEXT"}, small, pressed);
  DrawButton(pic, rect(kPrevious), {"PREV", "IOUS"}, small, pressed);
  // The object number is written over the top of "All", so its label sits low.
  const Rect all = rect(kAll);
  DrawButton(pic, all, {}, small, pressed);
  DrawText(pic, (all.left + all.right + 1 - TextWidth(small, "ALL")) / 2, all.bottom - 8, "ALL", small, bg::kBlack);
  return pic;
}

Picture DrawBackground(const Picture& panel) {
  Picture pic(640, 480);
  for (int y = 0; y < 480; ++y) FillScreenRect(pic, 0, y, 639, y, static_cast<uint8_t>(bg::kBackRamp + y * 63 / 479));
  // A sunken frame around the view (170, 110, 410 x 280 at this size).
  FillScreenRect(pic, 166, 106, 583, 107, bg::kShadow);
  FillScreenRect(pic, 166, 106, 167, 393, bg::kShadow);
  FillScreenRect(pic, 166, 392, 583, 393, bg::kWhite);
  FillScreenRect(pic, 582, 106, 583, 393, bg::kWhite);
  const Font large{LargeFont(), 5, 7};
  const std::string title = "modelyard";
  const int x = 375 - TextWidth(large, title);
  // Twice as large: each font pixel becomes a 2 x 2 block.
  Picture word(TextWidth(large, title), 7);
  std::fill(word.pixels.begin(), word.pixels.end(), 1);
  DrawText(word, 0, 0, title, large, 0);
  for (int y = 0; y < 7; ++y) {
    for (int c = 0; c < word.width; ++c) {
      if (word.Screen(c, y) == 0) FillScreenRect(pic, x + 2 * c, 60 + 2 * y, x + 2 * c + 1, 61 + 2 * y, bg::kTitle);
    }
  }
  // The panel's picture is also the background's left strip: the button faces
  // are cut from there.
  pic.Paste(panel, 0, 0);
  return pic;
}

}  // namespace

ViewerPictures DrawViewerPictures() {
  ViewerPictures p;
  p.backgroundTable = BackgroundTable();
  p.viewTable = ViewTable();
  p.panel = DrawPanel(false);
  p.pressedPanel = DrawPanel(true);
  p.background = DrawBackground(p.panel);
  p.backdrop = DrawBackdrop();
  return p;
}

bool WriteBmp8(const std::string& path, const Picture& picture, const ColourTable& table) {
  const uint32_t stride = (static_cast<uint32_t>(picture.width) + 3) / 4 * 4;
  const uint32_t dataSize = stride * static_cast<uint32_t>(picture.height);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutLe(out, 14 + 40 + 1024 + dataSize, 4);
  PutLe(out, 0, 4);
  PutLe(out, 14 + 40 + 1024, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<uint32_t>(picture.width), 4);
  PutLe(out, static_cast<uint32_t>(picture.height), 4);  // positive: bottom row first
  PutLe(out, 1, 2);
  PutLe(out, 8, 2);
  PutLe(out, 0, 4);
  PutLe(out, dataSize, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 256, 4);
  PutLe(out, 0, 4);
  out.insert(out.end(), table.begin(), table.end());
  for (int row = 0; row < picture.height; ++row) {
    for (uint32_t x = 0; x < stride; ++x) {
      out.push_back(x < static_cast<uint32_t>(picture.width) ? picture.At(static_cast<int>(x), row) : 0);
    }
  }
  return WriteModelFile(path, out.data(), out.size());
}

bool ReadBmp8(const std::string& path, Picture& picture, ColourTable& table) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (in.size() < 14 + 40 + 1024 || in[0] != 'B' || in[1] != 'M' || GetLe(in.data() + 28, 2) != 8) return false;
  const auto width = static_cast<int32_t>(GetLe(in.data() + 18, 4));
  const auto height = static_cast<int32_t>(GetLe(in.data() + 22, 4));
  const uint32_t offset = GetLe(in.data() + 10, 4);
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return false;
  const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
  if (offset < 14 + 40 + 1024 || in.size() < offset + stride * static_cast<size_t>(height)) return false;
  std::copy(in.begin() + 54, in.begin() + 54 + 1024, table.begin());
  picture = Picture(width, height);
  for (int row = 0; row < height; ++row) {
    std::memcpy(&picture.At(0, row), &in[offset + stride * static_cast<size_t>(row)], static_cast<size_t>(width));
  }
  return true;
}

}  // namespace modelyard
