// What the viewer window does, without the window: its pictures, view state,
// buttons, drags and file commands. The window layer only forwards mouse and
// size events here and shows the pictures this keeps.
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

class Viewer {
 public:
  explicit Viewer(MeshModel& model);

  // Writes the model as ASC and renders the first frame; false when the ASC
  // file could not be written (reported), after which the program ends.
  bool Start();
  void Resize(int width, int height);
  Redraw Press(int x, int y);  // left button down or right button up
  Redraw Move(int x, int y);
  Redraw Release();            // left button up
  void Render();

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
  Picture dragFaces_[3], pressedFaces_[3];
  Picture solidOffFace_, solidOnFace_, counterFace_;
};

}  // namespace modelyard
