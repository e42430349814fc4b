// The panel's nine buttons: open rectangles in client coordinates that scale
// with the client size W x H (integer divisions).
#pragma once

#include <array>

namespace modelyard {

struct Rect {
  int left, top, right, bottom;
  // Open bounds: the edges themselves are outside.
  bool Contains(int x, int y) const { return x > left && x < right && y > top && y < bottom; }
};

enum Button { kNoButton = 0, kTurn, kMoveZoom, kMove, kImport, kExport, kSolid, kNext, kPrevious, kAll };

inline std::array<Rect, 9> ButtonRects(int w, int h) {
  return {{
      {w * 5 / 640, h * 103 / 240, w * 71 / 640, h * 135 / 240},   // Turn
      {w * 5 / 320, h * 145 / 480, w * 35 / 320, h * 95 / 240},    // Move/Zoom
      {w * 9 / 640, h * 45 / 240, w * 35 / 320, h * 70 / 240},     // Move
      {w / 160, h / 60, w * 43 / 320, h * 17 / 240},               // Import
      {w / 160, h * 3 / 40, w * 11 / 80, h * 2 / 15},              // Export
      {w * 5 / 640, h * 7 / 10, w * 9 / 80, h * 91 / 120},         // Solid
      {w * 7 / 64, h * 189 / 240, w * 23 / 160, h * 203 / 240},    // Next
      {w / 160, h * 19 / 24, w * 13 / 320, h * 203 / 240},         // Previous
      {w * 40 / 640, h * 384 / 480, w * 64 / 640, h * 410 / 480},  // All
  }};
}

// The first button, in the order above, whose rectangle holds the point.
inline Button HitTest(int w, int h, int x, int y) {
  const auto rects = ButtonRects(w, h);
  for (int i = 0; i < 9; ++i) {
    if (rects[static_cast<size_t>(i)].Contains(x, y)) return static_cast<Button>(i + 1);
  }
  return kNoButton;
}

}  // namespace modelyard
