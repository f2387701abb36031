#include "platform/Canvas.h"

#include <algorithm>
#include <cstring>

Canvas::Canvas(const Canvas& other)
    : width(other.width), height(other.height), pixels(other.pixels) {}

Canvas::Canvas(Canvas&& other) noexcept
    : width(other.width), height(other.height), pixels(std::move(other.pixels)) {
  other.width = other.height = 0;
  other.pixels.clear();
  other.DamageAll();
}

Canvas& Canvas::operator=(const Canvas& other) {
  if (this != &other) {
    width = other.width;
    height = other.height;
    pixels = other.pixels;
    DamageAll();
  }
  return *this;
}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
  if (this != &other) {
    width = other.width;
    height = other.height;
    pixels = std::move(other.pixels);
    other.width = other.height = 0;
    other.pixels.clear();
    other.DamageAll();
    DamageAll();
  }
  return *this;
}

Canvas::~Canvas() {
  for (CanvasWatch* watch : watches_) {
    watch->canvas_ = nullptr;
    watch->damaged_ = true;
  }
}

void Canvas::Resize(int w, int h) {
  width = std::max(0, w);
  height = std::max(0, h);
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  DamageAll();
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
  Damage(x, y, w, h);
}

void Canvas::InvertRectTransient(int x, int y, int w, int h) {
  if (!ClipRect(*this, x, y, w, h)) return;
  for (int row = y; row < y + h; ++row) {
    uint32_t* p = Row(row) + x;
    for (int i = 0; i < w; ++i) p[i] ^= 0x00FFFFFFu;
  }
}

void Canvas::InvertRect(int x, int y, int w, int h) {
  if (!ClipRect(*this, x, y, w, h)) return;
  InvertRectTransient(x, y, w, h);
  Damage(x, y, w, h);
}

void Canvas::MoveRect(int x, int y, int w, int h, int dx, int dy) {
  if ((dx == 0 && dy == 0) || !ClipRect(*this, x, y, w, h)) return;
  // Keep the part whose destination is inside the canvas too.
  long x0 = std::max<long>(x, -static_cast<long>(dx));
  long x1 = std::min<long>(static_cast<long>(x) + w, static_cast<long>(width) - dx);
  long y0 = std::max<long>(y, -static_cast<long>(dy));
  long y1 = std::min<long>(static_cast<long>(y) + h, static_cast<long>(height) - dy);
  if (x0 >= x1 || y0 >= y1) return;
  const size_t bytes = static_cast<size_t>(x1 - x0) * sizeof(uint32_t);
  const int toX = static_cast<int>(x0 + dx);
  // Rows are taken in the order that reads each source row before it is
  // overwritten; memmove handles the overlap within a row.
  if (dy > 0) {
    for (long row = y1 - 1; row >= y0; --row)
      std::memmove(Row(static_cast<int>(row + dy)) + toX, Row(static_cast<int>(row)) + x0, bytes);
  } else {
    for (long row = y0; row < y1; ++row)
      std::memmove(Row(static_cast<int>(row + dy)) + toX, Row(static_cast<int>(row)) + x0, bytes);
  }
  Damage(toX, static_cast<int>(y0 + dy), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
}

void Canvas::Damage(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  const long right = static_cast<long>(x) + w, bottom = static_cast<long>(y) + h;
  for (CanvasWatch* watch : watches_) {
    if (watch->w_ <= 0 || watch->h_ <= 0) continue;
    if (x < static_cast<long>(watch->x_) + watch->w_ && watch->x_ < right &&
        y < static_cast<long>(watch->y_) + watch->h_ && watch->y_ < bottom)
      watch->damaged_ = true;
  }
}

void Canvas::DamageAll() {
  for (CanvasWatch* watch : watches_) watch->damaged_ = true;
}

CanvasWatch::~CanvasWatch() { Detach(); }

void CanvasWatch::Detach() {
  if (!canvas_) return;
  auto& list = canvas_->watches_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  canvas_ = nullptr;
}

void CanvasWatch::Follow(Canvas* canvas, int x, int y, int w, int h) {
  if (canvas != canvas_) {
    Detach();
    if (canvas) canvas->watches_.push_back(this);
    canvas_ = canvas;
  }
  x_ = x;
  y_ = y;
  w_ = w;
  h_ = h;
  damaged_ = true;
}
