#include "viewer.h"

namespace modelyard {

Viewer::Viewer(MeshModel& model) : pictures(DrawViewerPictures()), model_(model) {
  for (int i = 0; i < 3; ++i) {
    dragFaces_[i] = pictures.background.Cut(0, kDragFaceRows[i], kDragFaceWidth, kDragFaceHeight);
    pressedFaces_[i] = pictures.pressedPanel.Cut(0, kDragFaceRows[i], kDragFaceWidth, kDragFaceHeight);
  }
  solidOffFace_ = pictures.background.Cut(0, kSolidFaceRow, kWideFaceWidth, kWideFaceHeight);
  solidOnFace_ = pictures.pressedPanel.Cut(0, kSolidFaceRow, kWideFaceWidth, kWideFaceHeight);
  counterFace_ = pictures.background.Cut(0, kCounterFaceRow, kWideFaceWidth, kWideFaceHeight);
}

bool Viewer::Start() {
  if (!model_.WriteAsc(ascPath)) return false;
  Render();
  return true;
}

void Viewer::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  ++resizeCount_;
}

void Viewer::Render() { renderer_.Render(model_.current, state, pictures.backdrop.pixels.data(), view.pixels.data()); }

Redraw Viewer::StepObject(int step) {
  const int next = state.currentObject + step;
  if (next >= 0 && next < ObjectCount()) state.currentObject = next;
  Render();
  pictures.panel.Paste(counterFace_, 0, kCounterFaceRow);
  return {true, true};
}

Redraw Viewer::Press(int x, int y) {
  const Button button = HitTest(width_, height_, x, y);
  switch (button) {
    case kTurn:
    case kMoveZoom:
    case kMove: {
      const int i = button - kTurn;
      state.dragMode = i + 1;
      state.dragInView = false;
      state.lastX = x;
      state.lastY = y;
      pictures.panel.Paste(pressedFaces_[i], 0, kDragFaceRows[i]);
      return {false, true};
    }
    case kImport:
      // A failed import has been reported and leaves everything as it was.
      if (model_.ReadAsc(importPath) != ImportResult::Imported) return {};
      state.currentObject = 0;
      Render();
      return {true, true};
    case kExport: model_.WriteGeo(exportPath); return {};
    case kSolid: {
      state.solid = !state.solid;
      const Picture& face = state.solid ? solidOnFace_ : solidOffFace_;
      pictures.panel.Paste(face, 0, kSolidFaceRow);
      pictures.background.Paste(face, 0, kSolidFaceRow);
      Render();
      return {true, true};
    }
    case kNext: return StepObject(1);
    case kPrevious: return StepObject(-1);
    case kAll:
      state.allObjects = !state.allObjects;
      Render();
      return {true, false};
    case kNoButton: break;
  }
  return {};
}

Redraw Viewer::PressLeft(int x, int y) {
  if (HitTest(width_, height_, x, y) != kNoButton) return Press(x, y);
  // Outside the buttons the view turns the model as the Turn button does,
  // with no button face to press; a drag already going on is kept.
  if (state.dragMode != 0 || !ViewRect().Contains(x, y)) return {};
  state.dragMode = 1;
  state.dragInView = true;
  state.lastX = x;
  state.lastY = y;
  return {};
}

Redraw Viewer::Wheel(int angle) {
  // Forward is a drag downwards: nearer. Parts of a notch add up.
  constexpr int kUnitsPerPixel = kWheelNotch / kWheelNotchPixels;
  wheelRest_ += angle;
  const int pixels = wheelRest_ / kUnitsPerPixel;
  wheelRest_ -= pixels * kUnitsPerPixel;
  if (pixels == 0) return {};
  state.distance -= pixels;
  Render();
  return {true, false};
}

Redraw Viewer::Move(int x, int y) {
  if (state.dragMode == 0) return {};
  const int dx = x - state.lastX;
  const int oldY = state.lastY;
  state.lastX = x;
  state.lastY = y;
  switch (state.dragMode) {
    case 1:
      state.yaw = WrapDegrees(state.yaw + dx);
      state.pitch = WrapDegrees(state.pitch + (y - oldY));
      break;
    case 2:
      state.offsetX += dx;
      state.distance += oldY - y;
      break;
    case 3:
      state.offsetX += dx;
      state.offsetY += oldY - y;
      break;
  }
  Render();
  return {true, false};
}

Redraw Viewer::Release() {
  if (state.dragMode == 0) return {};
  const int i = state.dragMode - 1;
  state.dragMode = 0;
  if (state.dragInView) {
    state.dragInView = false;
    return {};
  }
  pictures.panel.Paste(dragFaces_[i], 0, kDragFaceRows[i]);
  return {false, true};
}

}  // namespace modelyard
