// Transform, stepping line, scan-line fill and the frame as a whole. Nothing
// here allocates once the order buffer has grown to the model's largest
// object, so a drag can render on every mouse move.
#include "renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace modelyard {

namespace {

constexpr double kPi = 3.14159265;
// Screen coordinates beyond this are a vertex next to or behind the eye; such
// lines and triangles are left out rather than stepped across half the plane.
constexpr float kFarPixel = 1e9f;

bool ToPixel(float v, int64_t& out) {
  if (!std::isfinite(v) || std::fabs(v) > kFarPixel) return false;
  out = static_cast<int64_t>(v);  // integer part
  return true;
}

inline void Plot(uint8_t* picture, int64_t x, int64_t y, uint8_t colour) {
  if (x > 0 && x < kViewWidth && y > 0 && y < kViewHeight) picture[y * kViewWidth + x] = colour;
}

}  // namespace

TrigTables::TrigTables() {
  for (int i = 0; i < 360; ++i) {
    sine[static_cast<size_t>(i)] = static_cast<float>(std::sin(i * kPi / 180.0));
    cosine[static_cast<size_t>(i)] = static_cast<float>(std::cos(i * kPi / 180.0));
  }
}

int WrapDegrees(int degrees) {
  while (degrees >= 360) degrees -= 360;
  while (degrees < 0) degrees += 360;
  return degrees;
}

void Transform(MeshObject& object, const ViewState& view, const TrigTables& trig) {
  const float sp = trig.sine[static_cast<size_t>(view.pitch)];
  const float cp = trig.cosine[static_cast<size_t>(view.pitch)];
  const float sw = trig.sine[static_cast<size_t>(view.yaw)];
  const float cw = trig.cosine[static_cast<size_t>(view.yaw)];
  for (MeshVertex& v : object.vertices) {
    const float x = v.x, y = v.y, z = v.z;
    const float y1 = z * sp + y * cp;
    const float z1 = z * cp - y * sp;
    const float x1 = x * cw - z1 * sw;
    const float z2 = x * sw + z1 * cw;
    const float d = z2 / 8 + static_cast<float>(view.distance);
    v.screenX = x1 * 16 / d + static_cast<float>(view.offsetX);
    v.screenY = y1 * 16 / d + static_cast<float>(view.offsetY);
    v.depth = z2;
  }
}

void DrawLine(uint8_t* picture, float fx0, float fy0, float fx1, float fy1, uint8_t colour) {
  int64_t x0, y0, x1, y1;
  if (!ToPixel(fx0, x0) || !ToPixel(fy0, y0) || !ToPixel(fx1, x1) || !ToPixel(fy1, y1)) return;
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  // Major and minor axis: m0 + i * ms along the major axis, n0 + k * ns along
  // the minor one, k growing by the error term.
  const int64_t major = alongX ? std::llabs(dx) : std::llabs(dy);
  const int64_t minor = alongX ? std::llabs(dy) : std::llabs(dx);
  if (major == 0) return;
  const int64_t m0 = alongX ? x0 : y0, n0 = alongX ? y0 : x0;
  const int64_t ms = (alongX ? dx : dy) < 0 ? -1 : 1;
  const int64_t ns = (alongX ? dy : dx) < 0 ? -1 : 1;
  const int64_t limit = alongX ? kViewWidth : kViewHeight;
  // Only the steps whose major coordinate lies inside the picture can plot.
  int64_t first = ms > 0 ? 1 - m0 : m0 - (limit - 1);
  int64_t last = ms > 0 ? limit - 1 - m0 : m0 - 1;
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, major - 1);
  if (first > last) return;
  // Error term at the first visible step: k = round(i * minor / major).
  const int64_t twoMajor = 2 * major;
  int64_t k = (2 * first * minor + major) / twoMajor;
  int64_t error = (2 * first * minor + major) % twoMajor;
  for (int64_t i = first; i <= last; ++i) {
    const int64_t m = m0 + i * ms, n = n0 + k * ns;
    if (alongX) {
      Plot(picture, m, n, colour);
    } else {
      Plot(picture, n, m, colour);
    }
    error += 2 * minor;
    if (error >= twoMajor) {
      error -= twoMajor;
      ++k;
    }
  }
}

void FillTriangle(uint8_t* picture, const MeshVertex& p, const MeshVertex& q, const MeshVertex& r, uint8_t colour) {
  struct Point {
    int64_t x, y;
  } pts[3];
  const MeshVertex* in[3] = {&p, &q, &r};
  for (int i = 0; i < 3; ++i) {
    if (!ToPixel(in[i]->screenX, pts[i].x) || !ToPixel(in[i]->screenY, pts[i].y)) return;
  }
  // By y, equal ones kept in order (a three-element bubble sort: stable, and
  // unlike std::stable_sort it never asks for a buffer).
  if (pts[1].y < pts[0].y) std::swap(pts[0], pts[1]);
  if (pts[2].y < pts[1].y) std::swap(pts[1], pts[2]);
  if (pts[1].y < pts[0].y) std::swap(pts[0], pts[1]);
  const Point a = pts[0], b = pts[1], c = pts[2];
  if (c.y == a.y) return;
  // Rows a.y .. c.y - 1: the long edge a-c against a-b below b, b-c from b on.
  const int64_t top = std::min<int64_t>(c.y - 1, kViewHeight - 1);
  for (int64_t y = std::max<int64_t>(a.y, 1); y <= top; ++y) {
    const int64_t xLong = a.x + (c.x - a.x) * (y - a.y) / (c.y - a.y);
    const int64_t xShort =
        y < b.y ? a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y) : b.x + (c.x - b.x) * (y - b.y) / (c.y - b.y);
    const int64_t left = std::max<int64_t>(std::min(xLong, xShort) - 1, 1);
    const int64_t right = std::min<int64_t>(std::max(xLong, xShort), kViewWidth - 1);
    if (left <= right) std::memset(picture + y * kViewWidth + left, colour, static_cast<size_t>(right - left + 1));
  }
}

void Renderer::DrawOutline(const MeshObject& object, uint8_t colour, uint8_t* picture) const {
  // Two edges per triangle: a quad's pair then shows the quad without its diagonal.
  for (const MeshTriangle& t : object.triangles) {
    const MeshVertex& a = object.vertices[static_cast<size_t>(t.a)];
    const MeshVertex& b = object.vertices[static_cast<size_t>(t.b)];
    const MeshVertex& c = object.vertices[static_cast<size_t>(t.c)];
    DrawLine(picture, a.screenX, a.screenY, b.screenX, b.screenY, colour);
    DrawLine(picture, b.screenX, b.screenY, c.screenX, c.screenY, colour);
  }
}

void Renderer::DrawFilled(MeshObject& object, int objectIndex, uint8_t* picture) {
  const size_t n = object.triangles.size();
  if (order_.size() < n) order_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    MeshTriangle& t = object.triangles[i];
    float key = (object.vertices[static_cast<size_t>(t.a)].depth + object.vertices[static_cast<size_t>(t.b)].depth +
                 object.vertices[static_cast<size_t>(t.c)].depth) *
                0.3333f;
    if (std::isnan(key)) key = INFINITY;  // drawn first, so it never hides anything
    t.depthKey = key;
    order_[i] = static_cast<int>(i);
  }
  // Farthest first; equal keys keep their stored order. The stored triangles
  // are not moved: the export pairs them up by position.
  std::sort(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(n), [&](int u, int v) {
    const float ku = object.triangles[static_cast<size_t>(u)].depthKey;
    const float kv = object.triangles[static_cast<size_t>(v)].depthKey;
    return ku != kv ? ku > kv : u < v;
  });
  const int base = 16 * (objectIndex % 6) + 17;
  for (size_t i = 0; i < n; ++i) {
    const MeshTriangle& t = object.triangles[static_cast<size_t>(order_[i])];
    const auto colour = static_cast<uint8_t>(base + static_cast<int>(i * 15 / n));
    FillTriangle(picture, object.vertices[static_cast<size_t>(t.a)], object.vertices[static_cast<size_t>(t.b)],
                 object.vertices[static_cast<size_t>(t.c)], colour);
  }
}

void Renderer::Render(MeshList& list, const ViewState& view, const uint8_t* backdrop, uint8_t* picture) {
  std::memcpy(picture, backdrop, static_cast<size_t>(kViewWidth) * kViewHeight);
  const int count = static_cast<int>(list.objects.size());
  if (!view.allObjects) {
    if (view.currentObject < 0 || view.currentObject >= count) return;
    MeshObject& object = list.objects[static_cast<size_t>(view.currentObject)];
    Transform(object, view, trig_);
    if (view.solid) {
      DrawFilled(object, view.currentObject, picture);
    } else {
      DrawOutline(object, static_cast<uint8_t>(16 * (view.currentObject % 6) + 25), picture);
    }
    return;
  }
  // The selected index hides that many objects from the end of the list.
  for (int j = 0; j <= count - view.currentObject - 1; ++j) {
    MeshObject& object = list.objects[static_cast<size_t>(j)];
    Transform(object, view, trig_);
    DrawOutline(object, static_cast<uint8_t>(j == 0 ? 25 : 30 + 16 * (j % 7)), picture);
  }
}

}  // namespace modelyard
