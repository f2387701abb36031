// The vector frame renderer. Coordinates are computed in single precision
// and truncated; every write goes through CBArray's clipped primitives, so no
// entity can write outside the picture whatever its values.
#include "vector/VRender.h"

#include <algorithm>
#include <cmath>

#include "text/Output.h"

namespace {

// Truncation that stays defined for any float: values far outside every
// picture are pinned to a coordinate that is just as far outside.
int Trunc(float v) {
  if (!(v > -1.0e8f)) return -100000000;  // NaN included
  if (v > 1.0e8f) return 100000000;
  return int(v);
}

enum class Skip { None, ToElse, ToEnd };

struct Coords {
  int x1, y1, x2, y2;
};

Coords EntityCoords(const RenderContext& c, const int16_t* v) {
  const float sx = c.entityScaleX * c.scaleX, sy = c.entityScaleY * c.scaleY;
  const float bx = float(c.originX + c.offsetX), by = float(c.originY + c.offsetY);
  Coords r;
  r.x1 = Trunc(float(v[0]) * sx + bx + c.raX);
  r.y1 = Trunc(float(v[1]) * sy + by + c.raY);
  r.x2 = Trunc(float(v[2]) * sx + bx + c.ra2X);
  r.y2 = Trunc(float(v[3]) * sy + by + c.ra2Y);
  if (c.revX1) r.x1 = c.width - r.x1 - 1;
  if (c.revY1) r.y1 = c.height - r.y1 - 1;
  if (c.revX2) r.x2 = c.width - r.x2 - 1;
  if (c.revY2) r.y2 = c.height - r.y2 - 1;
  return r;
}

void TraceLine(const RenderContext& c, int pos, const int16_t* v, const Coords& r) {
  PrintLine("*** LINE:  E#%d  TP: %d %d %d %d", pos, r.x1, r.y1, r.x2, r.y2);
  const float sx = c.entityScaleX * c.scaleX, sy = c.entityScaleY * c.scaleY;
  struct Part {
    const char* name;
    int value;
    float total, entity;
    int origin, offset;
    float ra;
    bool rev;
  };
  const Part parts[4] = {
      {"x1: ", v[0], sx, c.entityScaleX, c.originX, c.offsetX, c.raX, c.revX1},
      {"y1: ", v[1], sy, c.entityScaleY, c.originY, c.offsetY, c.raY, c.revY1},
      {"x2: ", v[2], sx, c.entityScaleX, c.originX, c.offsetX, c.ra2X, c.revX2},
      {"y2: ", v[3], sy, c.entityScaleY, c.originY, c.offsetY, c.ra2Y, c.revY2}};
  for (const Part& p : parts)
    PrintLine("%s%d * %g (%g) + %g  OS: %d + %d + %g  R: %d", p.name, p.value, double(p.total),
              double(p.entity), double(float(p.value) * p.total), p.origin, p.offset,
              double(p.ra), p.rev ? 1 : 0);
}

void PrintState(const RenderContext& c, int pos) {
  const float sx = c.entityScaleX * c.scaleX, sy = c.entityScaleY * c.scaleY;
  const float tx = float(c.originX + c.offsetX), ty = float(c.originY + c.offsetY);
  PrintLine("*** DBG: E#%d", pos);
  PrintLine("X: ST %d  SC %g  ESC %g  OS %d  EOS %d", c.originX, double(c.scaleX),
            double(c.entityScaleX), c.offsetX, c.originX + c.offsetX);
  PrintLine("X1: TSC %g  TOS %g  RA %g  RV %d", double(sx), double(tx + c.raX), double(c.raX),
            c.revX1 ? 1 : 0);
  PrintLine("X2: TSC %g  TOS %g  RA %g  RV %d", double(sx), double(tx + c.ra2X), double(c.ra2X),
            c.revX2 ? 1 : 0);
  PrintLine("Y: ST %d  SC %g  ESC %g  OS %d  EOS %d", c.originY, double(c.scaleY),
            double(c.entityScaleY), c.offsetY, c.originY + c.offsetY);
  PrintLine("Y1: TSC %g  TOS %g  RA %g  RV %d", double(sy), double(ty + c.raY), double(c.raY),
            c.revY1 ? 1 : 0);
  PrintLine("Y2: TSC %g  TOS %g  RA %g  RV %d", double(sy), double(ty + c.ra2Y), double(c.ra2Y),
            c.revY2 ? 1 : 0);
}

// Top-left position of images and dot patterns.
void ImagePos(const RenderContext& c, int* x, int* y) {
  *x = Trunc(c.scaleX * float(c.offsetX) + c.raX) + c.originX;
  *y = Trunc(c.scaleY * float(c.offsetY) + c.raY) + c.originY;
}

int DrawImage(RenderContext* c, const CBArray& image) {
  int x, y;
  ImagePos(*c, &x, &y);
  const float sx = c->entityScaleX * c->scaleX, sy = c->entityScaleY * c->scaleY;
  return c->target->BlitScaled(image, x, y, sx, sy, c->key, c->type == 1 ? 1 : 0);
}

// Dots are clipped to the picture.
void DrawPixels(RenderContext* c, const std::vector<int16_t>& points) {
  const float sx = c->entityScaleX * c->scaleX, sy = c->entityScaleY * c->scaleY;
  int w = Trunc(sx + c->raX), h = Trunc(sy + c->raY);
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  if (w > c->width) w = c->width;
  if (h > c->height) h = c->height;
  int bx, by;
  ImagePos(*c, &bx, &by);
  CBArray& t = *c->target;
  for (size_t i = 0; i + 1 < points.size(); i += 2) {
    int64_t x0 = int64_t(bx) + Trunc(float(points[i]) * sx + c->raX);
    int64_t y0 = int64_t(by) + Trunc(float(points[i + 1]) * sy + c->raY);
    const int64_t xa = std::max<int64_t>(x0, 0), xb = std::min<int64_t>(x0 + w, c->width);
    const int64_t ya = std::max<int64_t>(y0, 0), yb = std::min<int64_t>(y0 + h, c->height);
    for (int64_t y = ya; y < yb; ++y)
      for (int64_t x = xa; x < xb; ++x) t.SetElement(c->colour, int(x), int(y));
  }
}

}  // namespace

int RenderContext::Attach(CBArray* picture) {
  if (!picture || !picture->HasData() || picture->ElementSize() != 4) return 0;
  target = picture;
  width = picture->Width();
  height = picture->Height();
  elementSize = picture->ElementSize();
  return 1;
}

void RenderContext::ResetDrawingState() {
  colour[0] = colour[1] = colour[2] = 255;
  colour[3] = 0;
  key[0] = key[1] = key[2] = key[3] = 0;
  offsetX = offsetY = 0;
  entityScaleX = entityScaleY = 1.0f;
  revX1 = revX2 = revY1 = revY2 = false;
  raX = raY = ra2X = ra2Y = 0.0f;
  type = 0;
  trace = false;
}

int RenderVFrame(RenderContext* c, const VFrame* frame, int originX, int originY, float scaleX,
                 float scaleY, int depth) {
  if (!c || !c->target || !frame || depth >= MaxVFrameDepth) return 0;
  if (!std::isfinite(scaleX) || !std::isfinite(scaleY)) return 0;
  c->ResetDrawingState();
  c->originX = originX;
  c->originY = originY;
  c->scaleX = scaleX;
  c->scaleY = scaleY;
  if (depth == 0) c->steps = 0;
  Skip skip = Skip::None;
  // Positions beyond the stored ones are empty: nothing to do there.
  for (int pos = 1; pos <= frame->StoredCount(); ++pos) {
    if (++c->steps > MaxRenderSteps) return 0;
    const VEntity& e = *frame->At(pos);
    if (skip != Skip::None) {
      if (e.type == VECEnd || (skip == Skip::ToElse && e.type == VECElse)) skip = Skip::None;
      continue;
    }
    CBArray& t = *c->target;
    switch (e.type) {
      case VELine: {
        Coords r = EntityCoords(*c, e.c);
        if (c->trace) {
          TraceLine(*c, pos, e.c, r);
          c->trace = false;
        }
        if (!t.PlotLineEx(c->colour, r.x1, r.y1, r.x2, r.y2, c->type == 1)) return 0;
        break;
      }
      case VECLine: {
        Coords r = EntityCoords(*c, e.c);
        if (!t.PlotLinePhased(c->colour, r.x1, r.y1, r.x2, r.y2, e.b == 1, e.f[0])) return 0;
        break;
      }
      case VEBox: {
        Coords r = EntityCoords(*c, e.c);
        if (!t.FillRect(c->colour, r.x1, r.y1, r.x2, r.y2)) return 0;
        break;
      }
      case VEVFill:
      case VEHFill: {
        Coords r = EntityCoords(*c, e.c);
        int backwards = (c->type & 1) ? 1 : 0, truncate = (c->type & 2) ? 1 : 0;
        if (c->type > 3) backwards = truncate = 0;
        int ok = e.type == VEVFill ? t.FillToBoundaryV(c->colour, c->colour, r.x1, r.y1, r.x2,
                                                       r.y2, backwards, truncate)
                                   : t.FillToBoundaryH(c->colour, c->colour, r.x1, r.y1, r.x2,
                                                       r.y2, backwards, truncate);
        if (!ok) return 0;
        break;
      }
      case VEHFillFVL: {
        // x, y1, y2 through the rules of X1, Y1 and Y2.
        const int16_t v[4] = {e.c[0], e.c[1], 0, e.c[2]};
        Coords r = EntityCoords(*c, v);
        int mode = e.b == 1 ? 1 : e.b == 2 ? 2 : 0;
        if (!t.FillRowsToBoundary(c->colour, c->colour, r.x1, r.y1, r.y2, mode)) return 0;
        break;
      }
      case VEImage:
        if (!e.image || !DrawImage(c, *e.image)) return 0;
        break;
      case VEImageRef: {
        if (!c->frameSet) return 0;
        const VFrame* from = e.u[0] == 0 ? frame : c->frameSet->Get(e.u[0]);
        const VEntity* ref = from ? from->At(e.u[1]) : nullptr;
        if (!ref || ref->type != VEImage || !ref->image || !DrawImage(c, *ref->image)) return 0;
        break;
      }
      case VEPixels:
        c->steps += uint32_t(e.points.size() / 2);
        if (c->steps > MaxRenderSteps) return 0;
        DrawPixels(c, e.points);
        break;
      case VEPPatBox: {
        int x, y;
        ImagePos(*c, &x, &y);
        int ok = e.b ? t.DrawDots(x, y, e.u[0], e.u[1], c->colour, e.rgb[0], e.rgb[1], e.rgb[2],
                                  e.rgb[3])
                     : t.DrawDotsScaled(x, y, e.u[0], e.u[1], c->colour, e.rgb[0], e.rgb[1],
                                        e.rgb[2], e.rgb[3], c->entityScaleX * c->scaleX,
                                        c->entityScaleY * c->scaleY);
        if (!ok) return 0;
        break;
      }
      case VEFrame: {
        const VFrame* sub = c->frameSet ? c->frameSet->Get(e.u[0]) : nullptr;
        if (!sub || !RenderVFrame(c, sub, originX, originY, scaleX, scaleY, depth + 1)) return 0;
        c->originX = originX;
        c->originY = originY;
        c->scaleX = scaleX;
        c->scaleY = scaleY;
        c->ResetDrawingState();
        break;
      }
      case VEColor:
        c->colour[0] = e.rgb[2];
        c->colour[1] = e.rgb[1];
        c->colour[2] = e.rgb[0];
        c->colour[3] = 0;
        break;
      case VERev:
        c->revX1 = e.b & VRevX1;
        c->revY1 = e.b & VRevY1;
        c->revX2 = e.b & VRevX2;
        c->revY2 = e.b & VRevY2;
        break;
      case VEScale:
        c->entityScaleX = e.f[0];
        c->entityScaleY = e.f[1];
        break;
      case VEOffset:
        c->offsetX = e.c[0];
        c->offsetY = e.c[1];
        break;
      case VERa:
        if (c->scaleX != 1.0f) c->raX = c->ra2X = e.f[0];
        if (c->scaleY != 1.0f) c->raY = c->ra2Y = e.f[1];
        break;
      case VERa2:
        if (c->scaleX != 1.0f) c->ra2X = e.f[0];
        if (c->scaleY != 1.0f) c->ra2Y = e.f[1];
        break;
      case VEType:
        c->type = e.b;
        break;
      case VECScale:
        if (!(scaleX >= e.f[0] && scaleY >= e.f[1])) skip = Skip::ToElse;
        break;
      case VECElse:
        skip = Skip::ToEnd;
        break;
      case VEDbgOn:
        c->trace = true;
        break;
      case VEDbg:
        PrintState(*c, pos);
        break;
      default:  // CEND, TEST and empty slots
        break;
    }
  }
  return 1;
}

int RenderVFrameByID(RenderContext* c, uint16_t frameID, int originX, int originY, float scaleX,
                     float scaleY) {
  if (!c || !c->frameSet) return 0;
  const VFrame* frame = c->frameSet->Get(frameID);
  if (!frame) return 0;
  return RenderVFrame(c, frame, originX, originY, scaleX, scaleY, 0);
}
