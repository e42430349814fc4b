// What the viewer window does, without the window: its pictures, view state,
// buttons, drags, wheel and file commands. The window layer only forwards
// mouse, wheel and size events here and shows the pictures this keeps.
#pragma once

#include <string>

#include "buttons.h"
#include "mesh_model.h"
#include "pictures.h"
#include "renderer.h"

namespace modelyard {

// Which pictures an event changed.
struct Redraw {
  bool view = false;
  bool panel = false;
};

// Where the button faces sit in the background and panel (stored rows, column 0).
constexpr int kDragFaceWidth = 68, kDragFaceHeight = 58;
constexpr int kDragFaceRows[3] = {216, 276, 341};  // Turn, Move/Zoom, Move
constexpr int kWideFaceWidth = 72, kWideFaceHeight = 28;
constexpr int kSolidFaceRow = 114;
constexpr int kCounterFaceRow = 380;

// The view's place in the client area. Unlike a button's, its rectangle holds
// its left and top edges: x in left .. left + width - 1.
struct ViewPlace {
  int left, top, width, height;
  bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

// The view's place for a client of w x h after `resizeCount` resizes: the
// start sequence shows it W * 41 / 64 wide, every later size W * 51 / 80.
inline ViewPlace ViewRectFor(int w, int h, int resizeCount) {
  return {w * 17 / 64, h * 11 / 48, resizeCount >= 2 ? w * 51 / 80 : w * 41 / 64, h * 7 / 12};
}

// A wheel notch is 120 angle units and zooms as a vertical drag of 10 pixels.
constexpr int kWheelNotch = 120;
constexpr int kWheelNotchPixels = 10;

class Viewer {
 public:
  explicit Viewer(MeshModel& model);

  // Writes the model as ASC and renders the first frame; false when the ASC
  // file could not be written (reported), after which the program ends.
  bool Start();
  void Resize(int width, int height);
  Redraw Press(int x, int y);      // a button's press: left button down or right button up
  Redraw PressLeft(int x, int y);  // left button down: a button, else a turn when in the view
  Redraw Move(int x, int y);
  Redraw Release();  // left button up
  // The wheel turned by `angle` units, forward positive: forward comes nearer.
  Redraw Wheel(int angle);
  void Render();

  // Where the view is in the client size of the last resize.
  ViewPlace ViewRect() const { return ViewRectFor(width_, height_, resizeCount_); }

  int ObjectCount() const { return static_cast<int>(model_.current.objects.size()); }
  int ClientWidth() const { return width_; }
  int ClientHeight() const { return height_; }
  int ResizeCount() const { return resizeCount_; }

  MeshModel& Model() { return model_; }
  ViewState state;
  ViewerPictures pictures;  // background and panel are the working copies
  Picture view{kViewWidth, kViewHeight};

  // Fixed names in the working folder.
  std::string ascPath = "model.asc";
  std::string importPath = "import.asc";
  std::string exportPath = "export.geo";

 private:
  Redraw StepObject(int step);

  MeshModel& model_;
  Renderer renderer_;
  int width_ = 640, height_ = 480;
  int resizeCount_ = 0;
  int wheelRest_ = 0;  // wheel units short of a pixel's zoom
  Picture dragFaces_[3], pressedFaces_[3];
  Picture solidOffFace_, solidOnFace_, counterFace_;
};

}  // namespace modelyard
