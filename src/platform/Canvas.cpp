#include "platform/Canvas.h"

#include <algorithm>

void Canvas::Resize(int w, int h) {
  width = std::max(0, w);
  height = std::max(0, h);
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

namespace {
// Clips the rectangle to the canvas; false when nothing is left.
bool ClipRect(const Canvas& canvas, int& x, int& y, int& w, int& h) {
  if (w <= 0 || h <= 0) return false;
  long x0 = std::max<long>(x, 0), y0 = std::max<long>(y, 0);
  long x1 = std::min<long>(static_cast<long>(x) + w, canvas.width);
  long y1 = std::min<long>(static_cast<long>(y) + h, canvas.height);
  if (x0 >= x1 || y0 >= y1) return false;
  x = static_cast<int>(x0);
  y = static_cast<int>(y0);
  w = static_cast<int>(x1 - x0);
  h = static_cast<int>(y1 - y0);
  return true;
}
}  // namespace

void Canvas::FillRect(int x, int y, int w, int h, uint32_t colour) {
  if (!ClipRect(*this, x, y, w, h)) return;
  for (int row = y; row < y + h; ++row) std::fill_n(Row(row) + x, w, colour);
}

void Canvas::InvertRect(int x, int y, int w, int h) {
  if (!ClipRect(*this, x, y, w, h)) return;
  for (int row = y; row < y + h; ++row) {
    uint32_t* p = Row(row) + x;
    for (int i = 0; i < w; ++i) p[i] ^= 0x00FFFFFFu;
  }
}
