#include "vector/MVDisplay.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Frame.h"
#include "text/Output.h"

VMapSource MapSourceOf(const CMap& map) {
  VMapSource s;
  s.cells = &map.cells;
  for (int i = 0; i < 8; ++i) s.borders[i] = map.Border(i);
  s.startX = map.startX;
  s.startY = map.startY;
  s.startFacing = map.startFacing;
  return s;
}

int CMVDisplay::SetPictureSize(int width, int height) {
  if (width < 1 || height < 1 || width > MaxVPictureSide || height > MaxVPictureSide) return 0;
  width_ = width;
  height_ = height;
  if (target_.HasData()) {
    target_.Free();
    if (!target_.Init(width_, height_, 4) || !context_.Attach(&target_)) return 0;
    target_.Fill(0);
  }
  return 1;
}

int CMVDisplay::SetRootOffset(int x, int y) {
  if (x < 0 || y < 0 || x > MaxVGeometry || y > MaxVGeometry) return 0;
  rootX_ = x;
  rootY_ = y;
  return 1;
}

int CMVDisplay::SetSideStep(int x, int y) {
  if (x < 0 || y < 0 || x > MaxVGeometry || y > MaxVGeometry) return 0;
  sideX_ = x;
  sideY_ = y;
  return 1;
}

int CMVDisplay::SetRows(int rows) {
  if (rows < 1 || rows > MaxVRows) return 0;
  rows_ = rows;
  if (!viewTiles_.empty()) {
    viewTiles_.assign(size_t(Lanes) * size_t(rows_), 0);
    viewOverlay_.assign(size_t(Lanes) * size_t(rows_), 0);
  }
  return 1;
}

int CMVDisplay::Init(int screenX, int screenY, int scale) {
  if (scale < 1) return 0;
  screenX_ = screenX;
  screenY_ = screenY;
  scale_ = scale;
  viewTiles_.assign(size_t(Lanes) * size_t(rows_), 0);
  viewOverlay_.assign(size_t(Lanes) * size_t(rows_), 0);
  target_.Free();
  if (!target_.Init(width_, height_, 4)) return 0;
  target_.Fill(0);
  if (!context_.Attach(&target_)) return 0;
  context_.frameSet = frameSet_;
  return 1;
}

int CMVDisplay::SetSets(const VTileSet* tileSet, const VFrameSet* frameSet) {
  tileSet_ = tileSet;
  frameSet_ = frameSet;
  context_.frameSet = frameSet;
  return 1;
}

int CMVDisplay::SetMap(const CMap* map) {
  if (!map) return 0;
  return SetMapSource(MapSourceOf(*map));
}

int CMVDisplay::SetMapSource(const VMapSource& source) {
  if (!source.cells || !source.cells->HasData() || source.cells->ElementSize() != 2) return 0;
  map_ = source;
  hasMap_ = true;
  mapWidth_ = source.cells->Width();
  mapHeight_ = source.cells->Height();
  ForgetOverlay();
  dark_ = false;
  return SetViewPos(source.startX, source.startY, source.startFacing);
}

int CMVDisplay::SetViewPos(int x, int y, int facing) {
  if (!hasMap_ || x < 0 || y < 0 || x >= mapWidth_ || y >= mapHeight_) return 0;
  if (!(facing >= 0 && facing <= 3) && facing != 255) return 0;
  posX_ = x;
  posY_ = y;
  if (facing != 255) facing_ = facing;
  return 1;
}

int CMVDisplay::SetAnimDivider(int n) {
  if (n <= 0 || n > 65535) return 0;
  animDivider_ = n;
  return 1;
}

void CMVDisplay::SetAnimPhase(int p) {
  p %= PhaseCount;
  if (p < 0) p += PhaseCount;
  phase_ = p;
}

CBArray* CMVDisplay::CreateOverlay() {
  if (overlay_) return overlay_;
  if (!hasMap_) return nullptr;
  auto o = std::make_unique<CBArray>();
  if (!o->Init(mapWidth_, mapHeight_, 2)) return nullptr;
  o->Fill(0);
  ownedOverlay_ = std::move(o);
  overlay_ = ownedOverlay_.get();
  return overlay_;
}

void CMVDisplay::AttachOverlay(CBArray* overlay) { overlay_ = overlay; }

// Only the reference goes: an overlay made by CreateOverlay stays allocated
// (someone may still hold it) until the next CreateOverlay or the display's end.
void CMVDisplay::ForgetOverlay() { overlay_ = nullptr; }

int CMVDisplay::SetOverlayTile(int x, int y, uint16_t id) {
  if (!overlay_ || x < 0 || y < 0 || x >= mapWidth_ || y >= mapHeight_) return 0;
  return overlay_->SetU16(id, x, y);
}

int CMVDisplay::MoveOverlayTile(int x1, int y1, int x2, int y2) {
  if (!overlay_ || !overlay_->Inside(x1, y1) || !overlay_->Inside(x2, y2)) return 0;
  if (x1 >= mapWidth_ || x2 >= mapWidth_ || y1 >= mapHeight_ || y2 >= mapHeight_) return 0;
  uint16_t id = overlay_->GetU16(x1, y1);
  overlay_->SetU16(0, x1, y1);
  return overlay_->SetU16(id, x2, y2);
}

void CMVDisplay::ViewCellToMap(int lane, int d, int* x, int* y) const {
  switch (facing_) {
    case 1:
      *x = posX_ + d;
      *y = posY_ - halfLanes_ + lane;
      break;
    case 2:
      *x = posX_ + halfLanes_ - lane;
      *y = posY_ + d;
      break;
    case 3:
      *x = posX_ - d;
      *y = posY_ + halfLanes_ - lane;
      break;
    default:
      *x = posX_ - halfLanes_ + lane;
      *y = posY_ - d;
      break;
  }
}

uint16_t CMVDisplay::ViewTile(int lane, int depth) const {
  if (lane < 0 || lane >= Lanes || depth < 0 || depth >= rows_ || viewTiles_.empty()) return 0;
  return viewTiles_[size_t(lane) * size_t(rows_) + size_t(depth)];
}

uint16_t CMVDisplay::ViewOverlay(int lane, int depth) const {
  if (lane < 0 || lane >= Lanes || depth < 0 || depth >= rows_ || viewOverlay_.empty()) return 0;
  return viewOverlay_[size_t(lane) * size_t(rows_) + size_t(depth)];
}

// The IDs of a map cell, or of the border beyond the map's edge.
void CMVDisplay::CellIDs(int x, int y, uint16_t* tile, uint16_t* over) const {
  *tile = 0;
  *over = 0;
  const CBArray& cells = *map_.cells;
  if (x >= 0 && y >= 0 && x < mapWidth_ && y < mapHeight_) {
    *tile = cells.GetU16(x, y);
    if (overlay_) *over = overlay_->GetU16(x, y);
    return;
  }
  const bool inX = x >= 0 && x < mapWidth_, inY = y >= 0 && y < mapHeight_;
  int region;  // N, NE, E, SE, S, SW, W, NW
  if (inX) region = y < 0 ? BorderN : BorderS;
  else if (x >= mapWidth_) region = y < 0 ? BorderNE : inY ? BorderE : BorderSE;
  else region = y < 0 ? BorderNW : inY ? BorderW : BorderSW;
  const MapBorder* border = map_.borders[region];
  if (!border) return;
  switch (border->fillType) {
    case BorderFillFill:
      *tile = border->fillTile;
      break;
    case BorderFillWrap: {
      int wx = ((x % mapWidth_) + mapWidth_) % mapWidth_;
      int wy = ((y % mapHeight_) + mapHeight_) % mapHeight_;
      *tile = cells.GetU16(wx, wy);
      if (overlay_) *over = overlay_->GetU16(wx, wy);
      break;
    }
    case BorderFillEcho:
      if (region == BorderN) *tile = cells.GetU16(x, 0);
      else if (region == BorderS) *tile = cells.GetU16(x, mapHeight_ - 1);
      else if (region == BorderE) *tile = cells.GetU16(mapWidth_ - 1, y);
      else if (region == BorderW) *tile = cells.GetU16(0, y);
      break;
    default:
      break;
  }
}

int CMVDisplay::CreateVTMap() {
  if (!hasMap_ || viewTiles_.empty()) return 0;
  if (dark_) return 1;
  for (int l = 0; l < Lanes; ++l)
    for (int d = 0; d < rows_; ++d) {
      int x, y;
      ViewCellToMap(l, d, &x, &y);
      size_t i = size_t(l) * size_t(rows_) + size_t(d);
      CellIDs(x, y, &viewTiles_[i], &viewOverlay_[i]);
    }
  return 1;
}

int RenderFrameAtDepth(RenderContext* context, uint16_t frameID, int depth, int rootX, int rootY,
                       int sideX, int sideY) {
  int x = rootX, y = rootY, dx = sideX, dy = sideY;
  float s = 1.0f;
  for (int i = 0; i < depth && i < 64; ++i) {
    s /= 2.0f;
    x += dx;
    y += dy;
    dx /= 2;
    dy /= 2;
  }
  return RenderVFrameByID(context, frameID, x, y, s, s);
}

int CMVDisplay::RenderAtDepth(uint16_t frameID, int depth) {
  return RenderFrameAtDepth(&context_, frameID, depth, rootX_, rootY_, sideX_, sideY_);
}

int CMVDisplay::DrawTileAt(uint16_t tileID, int depth) {
  if (tileID == 0) return 1;
  const VTile* tile = FindTile(tileID);
  if (!tile) return 1;
  uint16_t frame = VTileFrame(tile, phase_, 0, depth, facing_);
  return frame == 0 ? 1 : RenderAtDepth(frame, depth);
}

int CMVDisplay::DrawSideLane(int side, int farLimit, bool farBlocks, bool ownBlocks) {
  const int lane = halfLanes_ + side;
  const int frontPos = side < 0 ? 1 : 2, sidePos = side < 0 ? 3 : 4, extraPos = side < 0 ? 5 : 6;
  const VTile* prev = nullptr;
  bool prevBlocks = false;
  for (int d = farLimit; d >= 0; --d) {
    const VTile* cur = FindTile(ViewTile(lane, d));
    uint16_t front = 0;
    bool curBlocks = false;
    if (cur) {
      front = VTileFrame(cur, phase_, frontPos, d, facing_);
      curBlocks = cur->Blocks();
    }
    if ((farBlocks && d == farLimit) || (ownBlocks && d == 0)) front = 0;
    if (!curBlocks && prev) {
      uint16_t f = VTileFrame(prev, phase_, sidePos, d, facing_);
      if (f && !RenderAtDepth(f, d)) return 0;
    }
    if (front) {
      if (!RenderAtDepth(front, d)) return 0;
      if (!prevBlocks) {
        uint16_t f = VTileFrame(cur, phase_, extraPos, d, facing_);
        if (f && !RenderAtDepth(f, d)) return 0;
      }
    }
    prev = cur;
    prevBlocks = curBlocks;
  }
  return 1;
}

int CMVDisplay::Render() {
  if (!target_.HasData() || !context_.target) return 0;
  target_.Fill(0);
  if (backgroundType_ == VBackFrame) {
    if (!RenderVFrameByID(&context_, backgroundValue_, 0, 0, 1.0f, 1.0f)) return 0;
  } else if (backgroundType_ == VBackTile) {
    const VTile* tile = FindTile(backgroundValue_);
    if (tile) {
      uint16_t frame = VTileFrame(tile, phase_, 0, 0, facing_);
      if (frame && !RenderVFrameByID(&context_, frame, 0, 0, 1.0f, 1.0f)) return 0;
    }
  } else if (backgroundType_ == VBackBorder) {
    const uint8_t white[4] = {255, 255, 255, 0};
    const uint8_t left[4] = {0, 191, 31, 0};    // red 31, green 191, blue 0
    const uint8_t right[4] = {255, 0, 159, 0};  // red 159, green 0, blue 255
    const int w = width_, h = height_;
    target_.PlotLine(white, 0, 0, w - 1, 0);
    target_.PlotLine(white, 0, h - 1, w - 1, h - 1);
    if (h > 2) {
      target_.PlotLine(left, 0, 1, 0, h - 2);
      target_.PlotLine(right, w - 1, 1, w - 1, h - 2);
    }
  }
  if (dark_ || viewTiles_.empty()) return 1;

  const int centre = halfLanes_;
  auto blocks = [&](int d) {
    const VTile* t = FindTile(ViewTile(centre, d));
    return t && t->Blocks();
  };
  const bool ownBlocks = blocks(0);
  int farLimit = rows_ - 1;
  bool farBlocks = false;
  for (int d = 1; d < rows_; ++d)
    if (blocks(d)) {
      farLimit = d;
      farBlocks = true;
      break;
    }
  if (!DrawSideLane(-1, farLimit, farBlocks, ownBlocks)) return 0;
  if (!DrawSideLane(+1, farLimit, farBlocks, ownBlocks)) return 0;
  for (int d = farLimit; d >= 0; --d) {
    if (!DrawTileAt(ViewTile(centre, d), d)) return 0;
    if (!DrawTileAt(ViewOverlay(centre, d), d)) return 0;
  }
  return 1;
}

int DrawPictureOnCanvas(const CBArray& picture, Canvas* canvas, int x, int y, int scale) {
  if (!canvas || !picture.HasData() || picture.ElementSize() != 4 || scale < 1) return 0;
  const int64_t w = picture.Width(), h = picture.Height();
  const int64_t x0 = std::max<int64_t>(0, x), x1 = std::min<int64_t>(canvas->width, x + w * scale);
  const int64_t y0 = std::max<int64_t>(0, y),
                y1 = std::min<int64_t>(canvas->height, y + h * scale);
  if (x0 >= x1 || y0 >= y1) return 1;
  // One magnified line per picture row, copied to each canvas row it covers.
  std::vector<uint32_t> line(size_t(x1 - x0));
  int64_t lineRow = -1;
  for (int64_t sy = y0; sy < y1; ++sy) {
    const int64_t row = h - 1 - (sy - y) / scale;  // row 0 is the bottom
    if (row != lineRow) {
      const uint8_t* src = picture.ElementPtr(0, int(row));
      int64_t sx = x0, column = (x0 - x) / scale, left = scale - (x0 - x) % scale;
      size_t k = 0;
      while (sx < x1) {
        const uint8_t* p = src + column * 4;
        const uint32_t pixel = RgbPixel(p[2], p[1], p[0]);
        for (int64_t n = std::min(left, x1 - sx); n > 0; --n, ++sx) line[k++] = pixel;
        ++column;
        left = scale;
      }
      lineRow = row;
    }
    std::memcpy(canvas->Row(int(sy)) + x0, line.data(), line.size() * sizeof(uint32_t));
  }
  canvas->Damage(int(x0), int(y0), int(x1 - x0), int(y1 - y0));
  return 1;
}

int CMVDisplay::Display() {
  if (!target_.HasData()) return 0;
  if (outputCanvas_) return DrawPictureOnCanvas(target_, outputCanvas_, screenX_, screenY_, scale_);
  return DisplayScaledBitmap(target_.GetData(), width_, height_, screenX_, screenY_, scale_,
                             scale_);
}

int CMVDisplay::Blank() {
  if (!target_.HasData()) return 0;
  target_.Fill(0);
  return Display();
}

int CMVDisplay::FullRedraw() {
  if (!CreateVTMap()) {
    PrintLine("ERROR (FullRedraw vector): Create screen tile map failed");
    return 0;
  }
  if (!Render()) {
    PrintLine("ERROR (FullRedraw vector): Render failed");
    return 0;
  }
  if (!Display()) {
    PrintLine("ERROR (FullRedraw vector): Display function failed");
    return 0;
  }
  return 1;
}

int CMVDisplay::AnimationTick(unsigned tick) {
  if (!animate_ || tick % unsigned(animDivider_) != 0) return 1;
  phase_ = (phase_ + 1) % PhaseCount;
  if (!Render()) return 0;
  return Display();
}
