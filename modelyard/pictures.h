// The viewer's pictures: 8 bits per pixel, one palette index each, stored
// bottom row first, with 256-entry colour tables of 4 bytes (blue, green, red,
// unused). All of them are drawn here, in code, when the viewer starts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace modelyard {

using ColourTable = std::array<uint8_t, 1024>;

struct Picture {
  Picture() = default;
  Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  // Row `row` counts stored rows, from the bottom of the screen.
  uint8_t& At(int x, int row) { return pixels[static_cast<size_t>(row) * width + x]; }
  uint8_t At(int x, int row) const { return pixels[static_cast<size_t>(row) * width + x]; }
  // Row `y` counts screen rows, from the top.
  uint8_t& Screen(int x, int y) { return At(x, height - 1 - y); }

  // A w x h block whose first stored row is `row`.
  Picture Cut(int x, int row, int w, int h) const;
  void Paste(const Picture& face, int x, int row);
};

// Background colour table indices used by the drawings.
namespace bg {
constexpr uint8_t kBlack = 0;
constexpr uint8_t kShadow = 6;
constexpr uint8_t kPressedFace = 9;
constexpr uint8_t kFace = 12;
constexpr uint8_t kWhite = 15;
constexpr uint8_t kLamp = 16;  // "Solid" lamp when lit
constexpr uint8_t kLampOff = 17;
constexpr uint8_t kTitle = 18;
constexpr uint8_t kPanelRamp = 32;  // 32..63, top to bottom of the panel
constexpr uint8_t kBackRamp = 64;   // 64..127, top to bottom of the background
}  // namespace bg

struct ViewerPictures {
  Picture background;    // 640 x 480
  Picture backdrop;      // 408 x 280
  Picture panel;         // 120 x 480
  Picture pressedPanel;  // the panel with every button held down
  ColourTable backgroundTable{};
  ColourTable viewTable{};
};

// Draws every picture and both colour tables.
ViewerPictures DrawViewerPictures();

// Writes or reads an 8-bit BMP file (stored rows as in memory).
bool WriteBmp8(const std::string& path, const Picture& picture, const ColourTable& table);
bool ReadBmp8(const std::string& path, Picture& picture, ColourTable& table);

}  // namespace modelyard
