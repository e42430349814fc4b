// The renderer and the viewer's buttons, drags and wheel: hit rectangles,
// angle wrap, which objects are drawn, clipping, the filled drawing order, and
// a frame of the sample car against its reference picture.
#include "renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "buttons.h"
#include "model_test_support.h"
#include "sample_car.h"
#include "viewer.h"

namespace modelyard::testing {
namespace {

TEST(Buttons, HitRectanglesAreOpenAndTestedInOrder) {
  const struct {
    int w, h, x, y;
    Button expected;
  } rows[] = {
      // Button 7 at 640 x 480 spans x 71..91, y 379..405.
      {640, 480, 71, 379, kNext},
      {640, 480, 91, 405, kNext},
      {640, 480, 70, 390, kNoButton},
      {640, 480, 92, 390, kNoButton},
      {640, 480, 80, 378, kNoButton},
      {640, 480, 80, 406, kNoButton},
      {640, 480, 6, 207, kTurn},
      {640, 480, 70, 269, kTurn},
      {640, 480, 5, 230, kNoButton},
      {640, 480, 11, 146, kMoveZoom},
      {640, 480, 69, 189, kMoveZoom},
      {640, 480, 10, 91, kMove},
      {640, 480, 5, 9, kImport},
      {640, 480, 85, 33, kImport},
      {640, 480, 87, 37, kExport},
      {640, 480, 6, 337, kSolid},
      {640, 480, 71, 363, kSolid},
      {640, 480, 5, 381, kPrevious},
      {640, 480, 25, 405, kPrevious},
      {640, 480, 41, 385, kAll},
      {640, 480, 63, 409, kAll},
      {640, 480, 300, 300, kNoButton},
      {640, 480, 30, 200, kNoButton},
      // The rectangles scale with the client size.
      {1280, 960, 141, 757, kNext},
      {1280, 960, 140, 770, kNoButton},
      {670, 470, 74, 371, kNext},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.w << "x" << row.h << " at " << row.x << "," << row.y);
    EXPECT_EQ(HitTest(row.w, row.h, row.x, row.y), row.expected);
  }
}

// A model of `count` objects, object k a single triangle in its own column of
// the view (at yaw 0, pitch 0: screen x = x * 16 / 200 + 204).
MeshList ColumnObjects(int count) {
  MeshList list;
  for (int k = 0; k < count; ++k) {
    MeshObject o;
    const auto x = static_cast<int16_t>((k * 36 - 180) * 200 / 16);
    o.vertices = {{x, -500, 0}, {static_cast<int16_t>(x + 200), 500, 0}, {x, 500, 0}};
    o.vertexCount = 3;
    o.triangles.resize(1);
    o.triangles[0] = {0, 1, 2, 0, 0, ""};
    o.triangleCount = 1;
    list.objects.push_back(o);
  }
  list.objectCount = count;
  return list;
}

bool ColumnDrawn(const std::vector<uint8_t>& view, int k) {
  const int x0 = (k * 36 - 180) + 204;
  for (int y = 1; y < kViewHeight; ++y) {
    for (int x = std::max(x0 - 2, 1); x < std::min(x0 + 20, kViewWidth); ++x) {
      if (view[static_cast<size_t>(y * kViewWidth + x)] != 0) return true;
    }
  }
  return false;
}

TEST(Renderer, AllObjectsModeHidesAsManyObjectsAsTheSelectedIndex) {
  MeshList list = ColumnObjects(10);
  const std::vector<uint8_t> backdrop(kViewWidth * kViewHeight, 0);
  std::vector<uint8_t> view(backdrop.size());
  Renderer renderer;
  ViewState state;
  state.allObjects = true;
  state.currentObject = 2;
  renderer.Render(list, state, backdrop.data(), view.data());
  for (int k = 0; k < 10; ++k) EXPECT_EQ(ColumnDrawn(view, k), k <= 7) << "object " << k;
  // Object 0 in 25, object j in 30 + 16 (j mod 7).
  EXPECT_NE(std::find(view.begin(), view.end(), 25), view.end());
  EXPECT_NE(std::find(view.begin(), view.end(), 30), view.end());  // object 7

  state.allObjects = false;
  state.currentObject = 7;
  renderer.Render(list, state, backdrop.data(), view.data());
  for (int k = 0; k < 10; ++k) EXPECT_EQ(ColumnDrawn(view, k), k == 7) << "object " << k;
  EXPECT_NE(std::find(view.begin(), view.end(), 16 * 1 + 25), view.end());  // 16 (7 mod 6) + 25
}

TEST(Renderer, NothingLeftOfTheViewOrOnItsEdgeIsDrawn) {
  std::vector<uint8_t> view(kViewWidth * kViewHeight, 0);
  const auto vertex = [](float x, float y) {
    MeshVertex v;
    v.screenX = x;
    v.screenY = y;
    return v;
  };
  const struct {
    const char* what;
    MeshVertex a, b, c;
  } rows[] = {
      {"left of the view", vertex(-50, 10), vertex(0, 200), vertex(-300, 100)},
      {"on column 0", vertex(0.9f, 10), vertex(0, 200), vertex(0.5f, 100)},
      {"below row 1", vertex(10, 0), vertex(400, 0.99f), vertex(200, -40)},
      {"above the view", vertex(10, 280), vertex(400, 300), vertex(200, 500)},
      // A span starts one pixel left of its left end: 408 reaches column 407.
      {"right of the view", vertex(409, 10), vertex(500, 200), vertex(409, 279)},
      {"not finite", vertex(NAN, 10), vertex(100, INFINITY), vertex(-INFINITY, 100)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::fill(view.begin(), view.end(), 0);
    FillTriangle(view.data(), row.a, row.b, row.c, 7);
    DrawLine(view.data(), row.a.screenX, row.a.screenY, row.b.screenX, row.b.screenY, 7);
    DrawLine(view.data(), row.b.screenX, row.b.screenY, row.c.screenX, row.c.screenY, 7);
    DrawLine(view.data(), row.c.screenX, row.c.screenY, row.a.screenX, row.a.screenY, 7);
    EXPECT_EQ(std::count(view.begin(), view.end(), 7), 0);
  }
}

TEST(Renderer, LinesPlotTheLongerSpanAndLeaveOutTheLastPoint) {
  const struct {
    float x0, y0, x1, y1;
    int pixels;
    int firstX, firstY;  // always plotted
    int lastX, lastY;    // never plotted
  } rows[] = {
      {10, 10, 20, 10, 10, 10, 10, 20, 10},
      {20, 10, 10, 10, 10, 20, 10, 10, 10},
      {10, 10, 13, 40, 30, 10, 10, 13, 40},
      {50, 50, 30, 40.9f, 20, 50, 50, 30, 40},
      {5.9f, 5.9f, 9.2f, 9.7f, 4, 5, 5, 9, 9},
      {1, 1, 407, 279, 406, 1, 1, 407, 279},
      // Far end points cost nothing more than the part in view.
      {10, 50, 1e7f, 50, 398, 10, 50, 408, 50},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.x0 << "," << row.y0 << " - " << row.x1 << "," << row.y1);
    std::vector<uint8_t> view(kViewWidth * kViewHeight, 0);
    DrawLine(view.data(), row.x0, row.y0, row.x1, row.y1, 9);
    EXPECT_EQ(std::count(view.begin(), view.end(), 9), row.pixels);
    EXPECT_EQ(view[static_cast<size_t>(row.firstY * kViewWidth + row.firstX)], 9);
    if (row.lastX < kViewWidth) {
      EXPECT_EQ(view[static_cast<size_t>(row.lastY * kViewWidth + row.lastX)], 0);
    }
  }
}

TEST(Renderer, FilledDrawingGoesBackToFrontWithStableTies) {
  // Four overlapping triangles at depths 10, 30, 10, 30 (yaw 0, pitch 0:
  // depth = z). Order: 1, 3, 0, 2; the last one drawn covers the middle.
  MeshObject o;
  for (int16_t z : {10, 30, 10, 30}) {
    o.vertices.push_back({-400, -400, z});
    o.vertices.push_back({400, -400, z});
    o.vertices.push_back({0, 400, z});
  }
  for (int t = 0; t < 4; ++t) o.triangles.push_back({3 * t, 3 * t + 1, 3 * t + 2, 0, 0, ""});
  o.vertexCount = 12;
  o.triangleCount = 4;
  MeshList list;
  list.objects = {o, o};
  list.objectCount = 2;
  const std::vector<uint8_t> backdrop(kViewWidth * kViewHeight, 0);
  std::vector<uint8_t> view(backdrop.size());
  Renderer renderer;
  ViewState state;
  state.solid = true;
  state.currentObject = 1;
  renderer.Render(list, state, backdrop.data(), view.data());
  EXPECT_EQ(std::vector<int>(renderer.Order().begin(), renderer.Order().begin() + 4), (std::vector<int>{1, 3, 0, 2}));
  // Position i of 4 gets 16 (1 mod 6) + 17 + i 15 / 4: the last is 16 + 17 + 11.
  EXPECT_EQ(view[140 * kViewWidth + 204], 44);
  // The stored triangles keep their order.
  EXPECT_EQ(list.objects[1].triangles[1].a, 3);
  EXPECT_FLOAT_EQ(list.objects[1].triangles[1].depthKey, 30 * 3 * 0.3333f);
}

TEST(Renderer, TransformTurnsAndProjects) {
  MeshObject o;
  o.vertices = {{800, 0, 0}, {0, 800, 0}, {0, 0, 800}};
  TrigTables trig;
  ViewState state;
  state.yaw = 90;
  Transform(o, state, trig);
  // Yaw 90: x goes into depth, z comes out as -x.
  EXPECT_NEAR(o.vertices[0].depth, 800, 0.01);
  EXPECT_NEAR(o.vertices[0].screenX, 204, 0.01);
  EXPECT_NEAR(o.vertices[2].screenX, 204 - 800 * 16 / 200.0, 0.01);
  state.yaw = 0;
  state.pitch = 90;
  Transform(o, state, trig);
  EXPECT_NEAR(o.vertices[1].depth, -800, 0.01);  // y turns towards the eye
  EXPECT_NEAR(o.vertices[2].screenY, 140 + 800 * 16 / 200.0, 0.01);
  // A vertex on the eye plane projects to no finite point: nothing crashes.
  state.pitch = 0;
  state.distance = -100;
  Transform(o, state, trig);
  std::vector<uint8_t> view(kViewWidth * kViewHeight, 0);
  Renderer().DrawOutline(o, 5, view.data());
}

using ViewerTest = ModelTest;

TEST_F(ViewerTest, DragsTurnMoveAndZoom) {
  MeshModel model;
  model.current = ColumnObjects(3);
  Viewer viewer(model);
  const struct {
    int x, y;  // press point picks the button
    int dx, dy;
    int yaw, pitch, offsetX, offsetY, distance;
  } rows[] = {
      {30, 230, 370, 0, 10, 0, 204, 140, 200},  // turning by 370 ends at 10
      {30, 230, -5, 0, 355, 0, 204, 140, 200},  // and by -5 from 0 at 355
      {30, 230, 0, -725, 0, 355, 204, 140, 200}, {30, 230, 720, 360, 0, 0, 204, 140, 200},
      {30, 160, 7, -20, 0, 0, 211, 140, 220},  // move sideways and zoom
      {30, 100, -4, 9, 0, 0, 200, 131, 200},   // move sideways and up/down
  };
  for (const auto& row : rows) {
    viewer.state = ViewState();
    viewer.Press(row.x, row.y);
    viewer.Move(row.x + row.dx, row.y + row.dy);
    viewer.Release();
    EXPECT_EQ(viewer.state.yaw, row.yaw);
    EXPECT_EQ(viewer.state.pitch, row.pitch);
    EXPECT_EQ(viewer.state.offsetX, row.offsetX);
    EXPECT_EQ(viewer.state.offsetY, row.offsetY);
    EXPECT_EQ(viewer.state.distance, row.distance);
    EXPECT_EQ(viewer.state.dragMode, 0);
  }
  // Moves without a drag change nothing.
  viewer.state = ViewState();
  EXPECT_FALSE(viewer.Move(300, 300).view);
  EXPECT_EQ(viewer.state.offsetX, 204);
}

TEST_F(ViewerTest, DragInTheViewTurnsAsTheTurnButtonAndTheWheelZooms) {
  MeshModel model;
  model.current = ColumnObjects(3);
  Viewer turn(model), view(model);
  const Picture clean = view.pictures.panel;
  const ViewPlace place = view.ViewRect();
  EXPECT_EQ((std::array<int, 4>{place.left, place.top, place.width, place.height}),
            (std::array<int, 4>{170, 110, 410, 280}));
  // Outside the buttons and the view, and on the view's right and bottom
  // edges, a press starts nothing; its left and top edges are inside.
  for (const auto& [x, y] : {std::pair{130, 50}, {580, 200}, {300, 390}, {169, 200}, {300, 109}}) {
    view.PressLeft(x, y);
    EXPECT_EQ(view.state.dragMode, 0) << x << "," << y;
  }
  turn.Press(30, 230);
  EXPECT_FALSE(view.PressLeft(place.left, place.top).panel);
  for (const auto& [dx, dy] : {std::pair{12, -7}, {400, 30}, {-3, 500}}) {
    turn.Move(30 + dx, 230 + dy);
    EXPECT_TRUE(view.Move(place.left + dx, place.top + dy).view);
    EXPECT_EQ(view.state.yaw, turn.state.yaw);
    EXPECT_EQ(view.state.pitch, turn.state.pitch);
    EXPECT_EQ(view.view.pixels, turn.view.pixels);
  }
  EXPECT_EQ((std::pair{view.state.yaw, view.state.pitch}), (std::pair{357, 140}));
  EXPECT_EQ(view.pictures.panel.pixels, clean.pixels);  // no button face goes down
  EXPECT_FALSE(view.Release().panel);
  EXPECT_FALSE(view.Move(400, 300).view);
  // A press on a button is the button's press.
  view.PressLeft(30, 230);
  EXPECT_NE(view.pictures.panel.pixels, clean.pixels);
  view.Release();
  EXPECT_EQ(view.pictures.panel.pixels, clean.pixels);

  // 120 units a notch, 10 pixels of a vertical drag each; parts add up.
  const struct {
    int angle, distance;
    bool redraw;
  } wheel[] = {{120, 190, true}, {-360, 220, true}, {8, 220, false},
               {8, 219, true},   {-4, 219, false},  {-12, 220, true}};
  for (const auto& turnBy : wheel) {
    SCOPED_TRACE(turnBy.angle);
    EXPECT_EQ(view.Wheel(turnBy.angle).view, turnBy.redraw);
    EXPECT_EQ(view.state.distance, turnBy.distance);
  }
}

TEST_F(ViewerTest, ButtonFacesFollowPressesAndSolid) {
  MeshModel model;
  model.current = ColumnObjects(3);
  Viewer viewer(model);
  const Picture clean = viewer.pictures.panel;
  for (const auto& [x, y, face] : {std::tuple{30, 230, 0}, {30, 160, 1}, {30, 100, 2}}) {
    viewer.Press(x, y);
    EXPECT_EQ(viewer.state.dragMode, face + 1);
    EXPECT_EQ(viewer.pictures.panel.Cut(0, kDragFaceRows[face], kDragFaceWidth, kDragFaceHeight).pixels,
              viewer.pictures.pressedPanel.Cut(0, kDragFaceRows[face], kDragFaceWidth, kDragFaceHeight).pixels);
    viewer.Release();
    EXPECT_EQ(viewer.pictures.panel.pixels, clean.pixels);
  }
  viewer.Press(30, 350);  // Solid on: its face goes into panel and background
  EXPECT_TRUE(viewer.state.solid);
  const auto lit = viewer.pictures.pressedPanel.Cut(0, kSolidFaceRow, kWideFaceWidth, kWideFaceHeight).pixels;
  EXPECT_EQ(viewer.pictures.panel.Cut(0, kSolidFaceRow, kWideFaceWidth, kWideFaceHeight).pixels, lit);
  EXPECT_EQ(viewer.pictures.background.Cut(0, kSolidFaceRow, kWideFaceWidth, kWideFaceHeight).pixels, lit);
  viewer.Press(30, 350);
  EXPECT_FALSE(viewer.state.solid);
  EXPECT_EQ(viewer.pictures.panel.pixels, clean.pixels);
}

TEST_F(ViewerTest, NextAndPreviousStayWithinTheObjects) {
  MeshModel model;
  model.current = ColumnObjects(3);
  Viewer viewer(model);
  const struct {
    int start;
    Button button;
    int expected;
  } rows[] = {{0, kNext, 1}, {2, kNext, 2}, {1, kPrevious, 0}, {0, kPrevious, 0}, {2, kPrevious, 1}};
  for (const auto& row : rows) {
    viewer.state.currentObject = row.start;
    const Rect r = ButtonRects(640, 480)[static_cast<size_t>(row.button - 1)];
    const Redraw redraw = viewer.Press(r.left + 1, r.top + 1);
    EXPECT_EQ(viewer.state.currentObject, row.expected);
    EXPECT_TRUE(redraw.view && redraw.panel);
  }
}

TEST_F(ViewerTest, ImportAndExportThroughTheButtons) {
  WriteFile(Path("model.geo"), BuildSampleCarGeo());
  MeshModel model;
  ASSERT_TRUE(model.LoadModel(Path("model.geo")));
  Viewer viewer(model);
  viewer.ascPath = Path("model.asc");
  viewer.importPath = Path("import.asc");
  viewer.exportPath = Path("export.geo");
  viewer.Start();
  ASSERT_TRUE(std::filesystem::exists(Path("model.asc")));

  viewer.Press(10, 50);  // export before import: nothing
  EXPECT_FALSE(std::filesystem::exists(Path("export.geo")));
  viewer.state.currentObject = 3;
  const auto frame = viewer.view.pixels;
  viewer.Press(10, 20);  // import without a file: reported, nothing changes
  EXPECT_EQ(Reports(), std::vector<std::string>{"Couldn't open file import.asc: File does not exist.\n"});
  EXPECT_EQ(viewer.state.currentObject, 3);
  EXPECT_EQ(viewer.view.pixels, frame);

  std::filesystem::copy_file(Path("model.asc"), Path("import.asc"));
  EXPECT_TRUE(viewer.Press(10, 20).view);
  EXPECT_EQ(viewer.state.currentObject, 0);
  EXPECT_TRUE(model.Imported());
  viewer.state.currentObject = 2;
  EXPECT_FALSE(viewer.Press(10, 20).view);  // a second import changes nothing
  EXPECT_EQ(viewer.state.currentObject, 2);
  viewer.Press(10, 50);
  EXPECT_EQ(ReadFile(Path("export.geo")), BuildSampleCarGeo());
}

// The sample car rendered in both modes, against pictures made once by this
// test and kept with it. A missing reference is written and the test skipped.
TEST(ReferencePicture, SampleCarFramesMatch) {
  const std::filesystem::path folder = MODELYARD_TEST_DATA;
  EXPECT_EQ(ReadFile(std::filesystem::path(MODELYARD_SAMPLE)), BuildSampleCarGeo())
      << "data/modelyard/model.geo differs from what make_modelyard_data writes";
  const auto temp = std::filesystem::temp_directory_path() / "modelyard_reference.geo";
  WriteFile(temp, BuildSampleCarGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(temp.string()));
  std::filesystem::remove(temp);
  Viewer viewer(model);

  const struct {
    const char* file;
    ViewState state;
  } frames[] = {
      {"sample_car_solid.bmp",
       [] {
         ViewState s;
         s.yaw = 30, s.pitch = 15, s.solid = true, s.currentObject = 0;
         return s;
       }()},
      {"sample_car_outline.bmp",
       [] {
         ViewState s;
         s.yaw = 330, s.pitch = 15, s.allObjects = true;
         return s;
       }()},
  };
  bool made = false;
  for (const auto& frame : frames) {
    SCOPED_TRACE(frame.file);
    viewer.state = frame.state;
    viewer.Render();
    const auto path = folder / frame.file;
    if (!std::filesystem::exists(path)) {
      ASSERT_TRUE(WriteBmp8(path.string(), viewer.view, viewer.pictures.viewTable));
      made = true;
      continue;
    }
    Picture reference;
    ColourTable table;
    ASSERT_TRUE(ReadBmp8(path.string(), reference, table));
    EXPECT_EQ(reference.width, kViewWidth);
    EXPECT_EQ(reference.height, kViewHeight);
    EXPECT_TRUE(reference.pixels == viewer.view.pixels) << "frame differs from " << path;
    EXPECT_TRUE(table == viewer.pictures.viewTable);
  }
  EXPECT_FALSE(made) << "reference pictures were missing and are now written to " << folder << "; check them in";
}

}  // namespace
}  // namespace modelyard::testing

// Counted by the replaced operator new in allocation_counter.cpp.
extern bool countAllocations;
extern int allocations;

namespace modelyard::testing {
namespace {

TEST(Renderer, DragFramesAllocateNothing) {
  const auto temp = std::filesystem::temp_directory_path() / "modelyard_alloc.geo";
  WriteFile(temp, BuildSampleCarGeo());
  MeshModel model;
  ASSERT_TRUE(model.ReadGeo(temp.string()));
  std::filesystem::remove(temp);
  Viewer viewer(model);
  viewer.state.solid = true;
  viewer.Render();  // the first filled frame sizes the drawing order
  viewer.Press(30, 230);
  countAllocations = true;
  for (int i = 0; i < 50; ++i) viewer.Move(30 + 7 * i, 230 - 3 * i);
  viewer.Release();
  viewer.state.allObjects = true;
  viewer.Render();
  countAllocations = false;
  EXPECT_EQ(allocations, 0);
}

}  // namespace
}  // namespace modelyard::testing
