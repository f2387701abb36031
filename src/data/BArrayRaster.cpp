// CBArray drawing: lines, fills, boundary fills, scaled copies and dots.
// Every write goes through a bounds check, so coordinates that leave the
// array (shifted line phases, large scales, regions at the edge) are clipped.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "data/BArray.h"

namespace {

// Scales beyond this are treated as invalid (they only produce overflow).
constexpr float kMaxScale = 65536.0f;

bool ScaleUsable(float s) { return std::isfinite(s) && s > -kMaxScale && s < kMaxScale; }

// trunc(v) as an index when it can be inside 0..limit-1, else -1.
int TruncIndex(float v, int limit) {
  if (!(v > -1.0f && v < float(limit))) return -1;
  int i = int(v);
  return i < limit ? i : -1;
}

}  // namespace

int CBArray::PlotLineImpl(const uint8_t* colour, int x1, int y1, int x2, int y2, float r,
                          float phase) {
  if (!data_ || !colour) return 0;
  if (!Inside(x1, y1) || !Inside(x2, y2)) return 0;
  if (!std::isfinite(phase)) return 0;
  if (std::abs(x2 - x1) < std::abs(y2 - y1)) {
    if (y1 > y2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    float step = float(x2 - x1) / float(y2 - y1);
    float x = float(x1);
    for (int y = y1; y <= y2; ++y) {
      int xi = TruncIndex(x + step * phase + r, width_);
      if (xi >= 0) Put(colour, xi, y);
      x += step;
    }
  } else {
    if (x1 > x2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    float step = x1 == x2 ? 0.0f : float(y2 - y1) / float(x2 - x1);
    float y = float(y1);
    for (int x = x1; x <= x2; ++x) {
      int yi = TruncIndex(y + step * phase + r, height_);
      if (yi >= 0) Put(colour, x, yi);
      y += step;
    }
  }
  return 1;
}

int CBArray::PlotLine(const uint8_t* colour, int x1, int y1, int x2, int y2) {
  return PlotLineImpl(colour, x1, y1, x2, y2, 0.5f, 0.0f);
}

int CBArray::PlotLineEx(const uint8_t* colour, int x1, int y1, int x2, int y2, int truncate) {
  return PlotLineImpl(colour, x1, y1, x2, y2, truncate == 1 ? 0.0f : 0.5f, 0.0f);
}

int CBArray::PlotLinePhased(const uint8_t* colour, int x1, int y1, int x2, int y2, int truncate,
                            float phase) {
  return PlotLineImpl(colour, x1, y1, x2, y2, truncate == 1 ? 0.0f : 0.5f, phase);
}

int CBArray::DrawHLine(const uint8_t* colour, int x1, int x2, int y) {
  if (!data_ || !colour) return 0;
  if (x2 < x1) return 1;
  if (!Inside(x1, y) || !Inside(x2, y)) return 0;
  for (int x = x1; x <= x2; ++x) Put(colour, x, y);
  return 1;
}

int CBArray::DrawVLine(const uint8_t* colour, int x, int y1, int y2) {
  if (!data_ || !colour) return 0;
  if (y2 < y1) return 1;
  if (!Inside(x, y1) || !Inside(x, y2)) return 0;
  for (int y = y1; y <= y2; ++y) Put(colour, x, y);
  return 1;
}

int CBArray::FillRect(const uint8_t* colour, int x1, int y1, int x2, int y2) {
  if (!data_ || !colour) return 0;
  if (!Inside(x1, y1) || !Inside(x2, y2)) return 0;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) Put(colour, x, y);
  return 1;
}

// Writes from the neighbour of (x, y) in direction (dx, dy) until the
// boundary element or the edge of the array; the boundary is not written.
void CBArray::FillRun(const uint8_t* colour, const uint8_t* boundary, int x, int y, int dx,
                      int dy) {
  x += dx;
  y += dy;
  while (Inside(x, y) && !Equals(x, y, boundary)) {
    Put(colour, x, y);
    x += dx;
    y += dy;
  }
}

int CBArray::FillToBoundaryV(const uint8_t* colour, const uint8_t* boundary, int x1, int y1,
                             int x2, int y2, int upwards, int truncate) {
  if (!data_ || !colour || !boundary) return 0;
  if (!Inside(x1, y1) || !Inside(x2, y2)) return 0;
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  float r = truncate == 1 ? 0.0f : 0.5f;
  float step = x1 == x2 ? 0.0f : float(y2 - y1) / float(x2 - x1);
  float yl = float(y1);
  for (int x = x1; x <= x2; ++x) {
    int y = TruncIndex(yl + r, height_);
    if (y >= 0) {
      Put(colour, x, y);
      FillRun(colour, boundary, x, y, 0, upwards ? -1 : 1);
    }
    yl += step;
  }
  return 1;
}

int CBArray::FillToBoundaryH(const uint8_t* colour, const uint8_t* boundary, int x1, int y1,
                             int x2, int y2, int leftwards, int truncate) {
  if (!data_ || !colour || !boundary) return 0;
  if (!Inside(x1, y1) || !Inside(x2, y2)) return 0;
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  float r = truncate == 1 ? 0.0f : 0.5f;
  float step = y1 == y2 ? 0.0f : float(x2 - x1) / float(y2 - y1);
  float xl = float(x1);
  for (int y = y1; y <= y2; ++y) {
    int x = TruncIndex(xl + r, width_);
    if (x >= 0) {
      Put(colour, x, y);
      FillRun(colour, boundary, x, y, leftwards ? -1 : 1, 0);
    }
    xl += step;
  }
  return 1;
}

int CBArray::FillRowsToBoundary(const uint8_t* colour, const uint8_t* boundary, int x, int y1,
                                int y2, int mode) {
  if (!data_ || !colour || !boundary) return 0;
  if (!Inside(x, y1) || !Inside(x, y2)) return 0;
  if (y1 > y2) std::swap(y1, y2);
  for (int y = y1; y <= y2; ++y) {
    Put(colour, x, y);
    FillRun(colour, boundary, x, y, mode == 0 || mode == 2 ? 1 : -1, 0);
  }
  if (mode == 2)
    for (int y = y1; y <= y2; ++y) FillRun(colour, boundary, x, y, -1, 0);
  return 1;
}

int CBArray::BlitScaled(const CBArray& source, int x, int y, float scaleX, float scaleY,
                        const uint8_t* key, int mirrored) {
  if (!data_ || !source.data_ || source.elementSize_ != elementSize_) return 0;
  if (!ScaleUsable(scaleX) || !ScaleUsable(scaleY)) return 0;
  const int64_t bw = std::max(1, int(scaleX));
  const int64_t bh = std::max(1, int(scaleY));
  const size_t es = size_t(elementSize_);
  for (int i = 0; i < source.height_; ++i) {
    int64_t dy0 = int64_t(y) + int64_t(scaleY * float(i));
    int64_t v0 = std::max<int64_t>(dy0, 0), v1 = std::min<int64_t>(dy0 + bh, height_);
    if (v0 >= v1) continue;
    const uint8_t* srow = source.ElementPtr(0, i);
    for (int j = 0; j < source.width_; ++j) {
      int sj = mirrored == 1 ? source.width_ - 1 - j : j;
      const uint8_t* el = srow + size_t(sj) * es;
      if (key && std::memcmp(el, key, es) == 0) continue;
      int64_t dx0 = int64_t(x) + int64_t(scaleX * float(j));
      int64_t u0 = std::max<int64_t>(dx0, 0), u1 = std::min<int64_t>(dx0 + bw, width_);
      if (u0 >= u1) continue;
      for (int64_t v = v0; v < v1; ++v) {
        uint8_t* d = ElementPtr(int(u0), int(v));
        for (int64_t u = u0; u < u1; ++u, d += es) std::memcpy(d, el, es);
      }
    }
  }
  return 1;
}

int CBArray::OverlayFrom(const CBArray& buffer, const uint8_t* key) {
  if (!data_ || !buffer.data_) return 0;
  if (buffer.width_ != width_ || buffer.height_ != height_ ||
      buffer.elementSize_ != elementSize_)
    return 0;
  const size_t es = size_t(elementSize_);
  const size_t n = size_t(width_) * size_t(height_);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* s = buffer.data_ + i * es;
    if (key && std::memcmp(s, key, es) == 0) continue;
    std::memcpy(data_ + i * es, s, es);
  }
  return 1;
}

int CBArray::CopyRegion(const CBArray& source, int destX, int destY, int sx1, int sy1, int sx2,
                        int sy2) {
  if (!data_ || !source.data_ || source.elementSize_ != elementSize_) return 0;
  int minX = std::min(sx1, sx2), maxX = std::max(sx1, sx2);
  int minY = std::min(sy1, sy2), maxY = std::max(sy1, sy2);
  if (!source.Inside(minX, minY) || !source.Inside(maxX, maxY)) return 0;
  const size_t es = size_t(elementSize_);
  for (int v = 0; v <= maxY - minY; ++v) {
    int64_t dy = int64_t(destY) + v;
    if (dy < 0 || dy >= height_) continue;
    for (int u = 0; u <= maxX - minX; ++u) {
      int64_t dx = int64_t(destX) + u;
      if (dx < 0 || dx >= width_) continue;
      std::memcpy(ElementPtr(int(dx), int(dy)), source.ElementPtr(minX + u, minY + v), es);
    }
  }
  return 1;
}

namespace {

// Dot selection: index i of a run is drawn when it is at or after the offset
// and a whole number of (gap + 1) steps past it.
bool DotSelected(int i, uint8_t gap, uint8_t offset) {
  return i >= offset && (i - offset) % (int(gap) + 1) == 0;
}

}  // namespace

int CBArray::DrawDots(int x, int y, int w, int h, const uint8_t* colour, uint8_t gapX,
                      uint8_t gapY, uint8_t offsetX, uint8_t offsetY) {
  if (!data_ || !colour) return 0;
  if (!Inside(x, y) || w < 0 || h < 0) return 0;
  if (int64_t(x) + w - 1 >= width_ || int64_t(y) + h - 1 >= height_) return 0;
  for (int r = 0; r < h; ++r) {
    if (!DotSelected(r, gapY, offsetY)) continue;
    for (int c = 0; c < w; ++c)
      if (DotSelected(c, gapX, offsetX)) Put(colour, x + c, y + r);
  }
  return 1;
}

int CBArray::DrawDotsScaled(int x, int y, int w, int h, const uint8_t* colour, uint8_t gapX,
                            uint8_t gapY, uint8_t offsetX, uint8_t offsetY, float scaleX,
                            float scaleY) {
  if (!data_ || !colour) return 0;
  if (x < 0 || y < 0 || w < 0 || h < 0) return 0;
  if (!ScaleUsable(scaleX) || !ScaleUsable(scaleY) || scaleX <= 0 || scaleY <= 0) return 0;
  if (!(float(width_) > float(w) * scaleX + float(x) - 1)) return 0;
  if (!(float(height_) > float(h) * scaleY + float(y) - 1)) return 0;
  const int bw = std::max(1, int(scaleX)), bh = std::max(1, int(scaleY));
  for (int r = 0; r < h; ++r) {
    if (!DotSelected(r, gapY, offsetY)) continue;
    int64_t by = int64_t(y) + int64_t(scaleY * float(r));
    for (int c = 0; c < w; ++c) {
      if (!DotSelected(c, gapX, offsetX)) continue;
      int64_t bx = int64_t(x) + int64_t(scaleX * float(c));
      for (int v = 0; v < bh; ++v)
        for (int u = 0; u < bw; ++u)
          if (bx + u < width_ && by + v < height_) Put(colour, int(bx + u), int(by + v));
    }
  }
  return 1;
}

int CBArray::ReplaceColour(const uint8_t* from, const uint8_t* to) {
  if (!data_ || !from || !to) return 0;
  const size_t es = size_t(elementSize_);
  const size_t n = size_t(width_) * size_t(height_);
  for (size_t i = 0; i < n; ++i)
    if (std::memcmp(data_ + i * es, from, es) == 0) std::memcpy(data_ + i * es, to, es);
  return 1;
}
