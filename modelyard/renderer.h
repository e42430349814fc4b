// The software renderer: turns and projects an object's vertices and draws
// it into the 408 x 280 view picture, in outline or filled back to front.
// Pixel (x, y) is byte y * 408 + x; y grows upwards on screen because the
// pictures are stored bottom row first.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "mesh_model.h"

namespace modelyard {

constexpr int kViewWidth = 408;
constexpr int kViewHeight = 280;

struct TrigTables {
  TrigTables();
  std::array<float, 360> sine{};
  std::array<float, 360> cosine{};
};

struct ViewState {
  int yaw = 0;    // whole degrees 0..359
  int pitch = 0;  // whole degrees 0..359
  int offsetX = 204;
  int offsetY = 140;
  int distance = 200;
  int currentObject = 0;
  bool solid = false;
  bool allObjects = false;
  int dragMode = 0;         // 0 none, 1 turn, 2 move sideways and zoom, 3 move sideways and up/down
  bool dragInView = false;  // the turn began in the view, not on the Turn button
  int lastX = 0, lastY = 0;
};

// Brings an angle back into 0..359.
int WrapDegrees(int degrees);

void Transform(MeshObject& object, const ViewState& view, const TrigTables& trig);

// Plots max(|dx|, |dy|) pixels from the first end point on; the second end
// point itself is left out.
void DrawLine(uint8_t* picture, float x0, float y0, float x1, float y1, uint8_t colour);

// Scan-line fill from the lowest y upwards; each span starts one pixel left
// of its left end.
void FillTriangle(uint8_t* picture, const MeshVertex& p, const MeshVertex& q, const MeshVertex& r, uint8_t colour);

class Renderer {
 public:
  // Copies the backdrop and draws the model as the view state asks.
  void Render(MeshList& list, const ViewState& view, const uint8_t* backdrop, uint8_t* picture);

  void DrawOutline(const MeshObject& object, uint8_t colour, uint8_t* picture) const;
  void DrawFilled(MeshObject& object, int objectIndex, uint8_t* picture);

  // Drawing order of the last filled object, farthest first.
  const std::vector<int>& Order() const { return order_; }

 private:
  TrigTables trig_;
  std::vector<int> order_;  // grows with the largest object, then stays
};

}  // namespace modelyard
