// CMDisplay: view set-up, map and overlay, the screen tile map and the
// screen frame map.
#include "graphics/OverheadDisplay.h"

#include <cmath>

#include "data/BArraySet.h"
#include "graphics/MapSet.h"
#include "graphics/TileSet.h"
#include "platform/Frame.h"

CMDisplay::CMDisplay() { Init(-1, -1, 1, 1, 1); }

CMDisplay::~CMDisplay() = default;

int CMDisplay::Init(int screenX, int screenY, int viewWidth, int viewHeight, int scale) {
  if (screenX >= 0) screenX_ = screenX;
  if (screenY >= 0) screenY_ = screenY;
  if (scale > 0) scale_ = scale;
  const int w = viewWidth > 0 ? viewWidth : viewWidth_;
  const int h = viewHeight > 0 ? viewHeight : viewHeight_;
  if (w == viewWidth_ && h == viewHeight_ && cellTiles_.HasData()) return 1;
  // Build the new cell maps first, so that a failure leaves the old view.
  CBArray tiles;
  if (!tiles.Init(w, h, 2)) {
    SetLastErrorText("ERROR (CMDisplay::Init): Failed to create screen tile map");
    return 0;
  }
  tiles.Fill(0);
  std::vector<const uint8_t*> frames;
  std::vector<CTile*> tilePtrs;
  try {
    frames.assign(size_t(w) * size_t(h), nullptr);
    tilePtrs.assign(size_t(w) * size_t(h), nullptr);
  } catch (const std::bad_alloc&) {
    SetLastErrorText("ERROR (CMDisplay::Init): Failed to create screen frame map");
    return 0;
  }
  cellTiles_.Swap(tiles);
  cellFrames_.swap(frames);
  cellTilePtrs_.swap(tilePtrs);
  viewWidth_ = w;
  viewHeight_ = h;
  centreX_ = w / 2;
  centreY_ = h / 2;
  // Cells now hold nothing; the patch rectangle may no longer fit.
  frameMapBuilt_ = false;
  if (hasPatch_ && (patchX2_ >= w || patchY2_ >= h)) SetPatch(nullptr, 0, 0, 0, 0, nullptr);
  if (bufferMode_ && !EnsureScreenBuffer()) return 0;
  return 1;
}

int CMDisplay::TakeFrameDims() {
  int w = 0, h = 0, e = 0;
  frameSet_->GetDims(&w, &h, &e);
  if (e != 4 || w < 1 || h < 1) {
    SetLastErrorText("ERROR (CMDisplay::SetSets): Frames must have 4-byte pixels");
    return 0;
  }
  if (w != frameWidth_ || h != frameHeight_ || e != frameElementSize_ || !blankFrame_.HasData()) {
    CBArray blank;
    if (!blank.Init(w, h, e)) {
      SetLastErrorText("ERROR (CMDisplay::SetSets): Failed to create blank frame");
      return 0;
    }
    blank.Fill(0);
    blankFrame_.Swap(blank);
    frameWidth_ = w;
    frameHeight_ = h;
    frameElementSize_ = e;
    // Cells may point at the old blank frame.
    DropFrameMap();
    // A patch drawing frames of the old size cannot stay.
    if (hasPatch_ && patchFrames_ != frameSet_) SetPatch(nullptr, 0, 0, 0, 0, nullptr);
  }
  if (bufferMode_) return EnsureScreenBuffer();
  return 1;
}

int CMDisplay::SetSets(CTileSet* tileSet, CBArraySet* frameSet) {
  if (tileSet) {
    if (tileSet != tileSet_) DropFrameMap();
    tileSet_ = tileSet;
  } else if (!tileSet_) {
    return 0;
  }
  if (!frameSet) return frameSet_ ? 1 : 0;
  CBArraySet* old = frameSet_;
  frameSet_ = frameSet;
  if (!TakeFrameDims()) {
    frameSet_ = old;
    return 0;
  }
  if (frameSet != old) DropFrameMap();
  return 1;
}

int CMDisplay::EnsureScreenBuffer() {
  if (frameWidth_ < 1 || frameHeight_ < 1) {
    SetLastErrorText("ERROR (CMDisplay): No frame set for the screen buffer");
    return 0;
  }
  const int64_t w = int64_t(viewWidth_) * frameWidth_, h = int64_t(viewHeight_) * frameHeight_;
  if (screenBuffer_.HasData() && screenBuffer_.Width() == w && screenBuffer_.Height() == h &&
      screenBuffer_.ElementSize() == frameElementSize_)
    return 1;
  size_t bytes = 0;
  CBArray buffer;
  if (!CBArray::ByteSizeFor(w, h, frameElementSize_, &bytes) ||
      !buffer.Init(int(w), int(h), frameElementSize_)) {
    SetLastErrorText("ERROR (CMDisplay): Failed to create screen buffer");
    return 0;
  }
  buffer.Fill(0);
  screenBuffer_.Swap(buffer);
  return 1;
}

int CMDisplay::SetFSBMode(bool on) {
  if (on && !EnsureScreenBuffer()) return 0;
  bufferMode_ = on;
  return 1;
}

int CMDisplay::SetAnimDivider(uint16_t divider) {
  if (divider == 0) return 0;
  animDivider_ = divider;
  return 1;
}

void CMDisplay::SetAnimPhase(int phase) {
  phase %= AnimPhaseCount;
  if (phase < 0) phase += AnimPhaseCount;
  phase_ = phase;
}

int CMDisplay::MapWidth() const { return map_ ? map_->Width() : 0; }
int CMDisplay::MapHeight() const { return map_ ? map_->Height() : 0; }

int CMDisplay::SetMap(CMap* map) {
  if (!map || !map->cells.HasData() || map->cells.ElementSize() != 2) return 0;
  if (map->startX < 0 || map->startY < 0 || map->startX >= map->Width() ||
      map->startY >= map->Height())
    return 0;
  map_ = map;
  viewX_ = map->startX;
  viewY_ = map->startY;
  ForgetOverlay();
  dark_ = false;
  return 1;
}

int CMDisplay::SetViewPos(int x, int y) {
  if (!map_ || x < 0 || y < 0 || x >= MapWidth() || y >= MapHeight()) return 0;
  viewX_ = x;
  viewY_ = y;
  return 1;
}

int CMDisplay::SetViewPosFraction(float fx, float fy) {
  if (!map_) return 0;
  viewX_ = int(float(MapWidth()) * fx);
  viewY_ = int(float(MapHeight()) * fy);
  return 1;
}

int CMDisplay::ScrollView(int dx, int dy) {
  const int w = MapWidth(), h = MapHeight();
  if (w < 1 || h < 1) return 0;
  // A step of up to one map size comes back in by one map size; larger
  // steps are reduced the same way, so the view never leaves the map.
  int x = int((int64_t(viewX_) + dx) % w), y = int((int64_t(viewY_) + dy) % h);
  if (x < 0) x += w;
  if (y < 0) y += h;
  viewX_ = x;
  viewY_ = y;
  return 1;
}

CBArray* CMDisplay::CreateOverlay() {
  if (overlay_) return overlay_;
  if (!map_) return nullptr;
  auto overlay = std::make_unique<CBArray>();
  if (!overlay->Init(MapWidth(), MapHeight(), 2)) return nullptr;
  overlay->Fill(0);
  ownedOverlay_ = std::move(overlay);
  overlay_ = ownedOverlay_.get();
  return overlay_;
}

int CMDisplay::AttachOverlay(CBArray* overlay) {
  if (overlay && (!map_ || !overlay->HasData() || overlay->ElementSize() != 2 ||
                  overlay->Width() != MapWidth() || overlay->Height() != MapHeight())) {
    SetLastErrorText("ERROR (CMDisplay::AttachOverlay): Overlay does not match the map");
    return 0;
  }
  if (overlay == overlay_) return 1;
  ForgetOverlay();
  overlay_ = overlay;
  return 1;
}

void CMDisplay::ForgetOverlay() {
  overlay_ = nullptr;
  ownedOverlay_.reset();
}

bool CMDisplay::OverlayUsable() const {
  // The map may have been reloaded with another size since the overlay was
  // attached; such an overlay is not read.
  return overlay_ && overlay_->HasData() && overlay_->ElementSize() == 2 &&
         overlay_->Width() == MapWidth() && overlay_->Height() == MapHeight();
}

int CMDisplay::SetOverlayTile(int x, int y, uint16_t id) {
  if (!OverlayUsable() || !overlay_->Inside(x, y)) return 0;
  return overlay_->SetU16(id, x, y);
}

int CMDisplay::MoveOverlayTile(int x1, int y1, int x2, int y2) {
  if (!OverlayUsable() || !overlay_->Inside(x1, y1) || !overlay_->Inside(x2, y2)) return 0;
  const uint16_t id = overlay_->GetU16(x1, y1);
  overlay_->SetU16(0, x1, y1);
  overlay_->SetU16(id, x2, y2);
  return 1;
}

uint16_t CMDisplay::MapOrOverlay(const CBArray* overlay, int x, int y) const {
  if (overlay) {
    const uint16_t id = overlay->GetU16(x, y);
    if (id) return id;
  }
  return map_->Tile(x, y);
}

uint16_t CMDisplay::BorderTile(const CBArray* overlay, int x, int y) const {
  const int w = MapWidth(), h = MapHeight();
  const bool west = x < 0, east = x >= w, north = y < 0, south = y >= h;
  int direction;
  if (north) direction = west ? BorderNW : east ? BorderNE : BorderN;
  else if (south) direction = west ? BorderSW : east ? BorderSE : BorderS;
  else direction = west ? BorderW : BorderE;
  const MapBorder* border = map_->Border(direction);
  if (!border) return 0;
  switch (border->fillType) {
    case BorderFillFill:
      return border->fillTile;
    case BorderFillWrap: {
      int wx = x % w, wy = y % h;
      if (wx < 0) wx += w;
      if (wy < 0) wy += h;
      return MapOrOverlay(overlay, wx, wy);
    }
    case BorderFillEcho:
      // The edge row or column repeats; the corners stay empty. The map
      // alone is read, not the overlay.
      switch (direction) {
        case BorderN: return map_->Tile(x, 0);
        case BorderE: return map_->Tile(w - 1, y);
        case BorderS: return map_->Tile(x, h - 1);
        case BorderW: return map_->Tile(0, y);
        default: return 0;
      }
    default:
      return 0;
  }
}

int CMDisplay::CreateSTMap() {
  if (!map_ || !map_->cells.HasData() || !cellTiles_.HasData()) return 0;
  uint8_t* out = cellTiles_.GetData();
  if (dark_) {
    cellTiles_.Fill(0);
    return 1;
  }
  const CBArray* overlay = OverlayUsable() ? overlay_ : nullptr;
  const int w = MapWidth(), h = MapHeight();
  for (int row = 0; row < viewHeight_; ++row) {
    const int y = viewY_ + row - centreY_;
    for (int col = 0; col < viewWidth_; ++col) {
      const int x = viewX_ + col - centreX_;
      const uint16_t id = x >= 0 && y >= 0 && x < w && y < h ? MapOrOverlay(overlay, x, y)
                                                         : BorderTile(overlay, x, y);
      uint8_t* p = out + CellIndex(col, row) * 2;
      p[0] = uint8_t(id & 0xFF);
      p[1] = uint8_t(id >> 8);
    }
  }
  return 1;
}

void CMDisplay::BuildLookups() {
  if (tileSet_ && (lookupTiles_.set != tileSet_ || lookupTiles_.generation != tileSet_->Generation())) {
    tileByID_.clear();
    int maxID = 0;
    for (int i = 0; i < tileSet_->Capacity(); ++i)
      if (tileSet_->GetAt(i) && tileSet_->GetIdAt(i) > maxID) maxID = tileSet_->GetIdAt(i);
    tileByID_.assign(size_t(maxID) + 1, nullptr);
    // The first slot holding an ID answers for it, as in the set's own look-up.
    for (int i = 0; i < tileSet_->Capacity(); ++i) {
      CTile* tile = tileSet_->GetAt(i);
      const uint16_t id = tileSet_->GetIdAt(i);
      if (tile && id && !tileByID_[id]) tileByID_[id] = tile;
    }
    const uint16_t defaultID = tileSet_->DefaultID();
    defaultTile_ = defaultID && defaultID < tileByID_.size() ? tileByID_[defaultID] : nullptr;
    lookupTiles_ = {tileSet_, tileSet_->Generation()};
  }
  if (frameSet_ &&
      (lookupFrames_.set != frameSet_ || lookupFrames_.generation != frameSet_->Generation())) {
    frameByID_.clear();
    int maxID = 0;
    for (int i = 0; i < frameSet_->Capacity(); ++i)
      if (frameSet_->GetAt(i) && frameSet_->GetIdAt(i) > maxID) maxID = frameSet_->GetIdAt(i);
    frameByID_.assign(size_t(maxID) + 1, nullptr);
    for (int i = 0; i < frameSet_->Capacity(); ++i) {
      const uint8_t* frame = frameSet_->GetAt(i);
      const uint16_t id = frameSet_->GetIdAt(i);
      if (frame && id && !frameByID_[id]) frameByID_[id] = frame;
    }
    lookupFrames_ = {frameSet_, frameSet_->Generation()};
  }
}

CTile* CMDisplay::LookupTile(uint16_t id) const {
  if (id == 0) return nullptr;
  if (id < tileByID_.size() && tileByID_[id]) return tileByID_[id];
  return defaultTile_;
}

const uint8_t* CMDisplay::LookupFrame(uint16_t id) const {
  return id && id < frameByID_.size() ? frameByID_[id] : nullptr;
}

int CMDisplay::CreateSFMap() {
  if (!tileSet_ || !frameSet_ || !cellTiles_.HasData()) return 0;
  // The set's frame size may have changed under the display (a set that was
  // initialised again); take the new one before drawing any frame.
  int w = 0, h = 0, e = 0;
  frameSet_->GetDims(&w, &h, &e);
  if ((w != frameWidth_ || h != frameHeight_ || e != frameElementSize_) && !TakeFrameDims())
    return 0;
  BuildLookups();
  const uint8_t* blank = blankFrame_.GetData();
  const uint8_t* ids = cellTiles_.GetData();
  const size_t cells = size_t(viewWidth_) * size_t(viewHeight_);
  for (size_t i = 0; i < cells; ++i) {
    const uint16_t id = uint16_t(ids[2 * i] | (ids[2 * i + 1] << 8));
    CTile* tile = LookupTile(id);
    const uint8_t* frame = nullptr;
    uint16_t frameID = 0;
    if (tile && tile->GetFrame(phase_, &frameID)) frame = LookupFrame(frameID);
    cellTilePtrs_[i] = tile;
    cellFrames_[i] = frame ? frame : blank;
  }
  frameMapBuilt_ = true;
  builtTiles_ = {tileSet_, tileSet_->Generation()};
  builtFrames_ = {frameSet_, frameSet_->Generation()};
  builtPatchFrames_ = {};
  return 1;
}

int CMDisplay::Refresh() {
  if (!frameMapBuilt_) return 1;  // nothing built yet: cells are empty
  bool stale = !tileSet_ || !frameSet_ || builtTiles_.set != tileSet_ ||
               builtTiles_.generation != tileSet_->Generation() ||
               builtFrames_.set != frameSet_ || builtFrames_.generation != frameSet_->Generation();
  if (hasPatch_ && builtPatchFrames_.set &&
      builtPatchFrames_.generation != static_cast<const CBArraySet*>(builtPatchFrames_.set)->Generation())
    stale = true;
  if (!stale) return 1;
  if (!CreateSFMap()) {
    // Nothing drawable is left: show the cells empty rather than stale.
    DropFrameMap();
    return 0;
  }
  if (hasPatch_) ApplyPatch();
  return 1;
}

void CMDisplay::DropFrameMap() {
  frameMapBuilt_ = false;
  for (auto& f : cellFrames_) f = nullptr;
  for (auto& t : cellTilePtrs_) t = nullptr;
}

int CMDisplay::SetCell(int col, int row, uint16_t id) {
  if (!InView(col, row)) return 0;
  return cellTiles_.SetU16(id, col, row);
}

uint16_t CMDisplay::GetCellID(int col, int row) const {
  return InView(col, row) ? cellTiles_.GetU16(col, row) : 0;
}

int CMDisplay::MapPosToCell(int x, int y, int* col, int* row) const {
  if (!map_) return 0;
  int c = x - viewX_ + centreX_, r = y - viewY_ + centreY_;
  auto wraps = [this](int direction) {
    const MapBorder* b = map_->Border(direction);
    return b && b->fillType == BorderFillWrap;
  };
  if (c < 0 && wraps(BorderW)) c += MapWidth();
  else if (c >= viewWidth_ && wraps(BorderE)) c -= MapWidth();
  if (r < 0 && wraps(BorderN)) r += MapHeight();
  else if (r >= viewHeight_ && wraps(BorderS)) r -= MapHeight();
  if (!InView(c, r)) return 0;
  if (col) *col = c;
  if (row) *row = r;
  return 1;
}

int CMDisplay::CellToMapPos(int col, int row, int* x, int* y) const {
  const int mx = viewX_ + col - centreX_, my = viewY_ + row - centreY_;
  if (x) *x = mx;
  if (y) *y = my;
  return map_ && mx >= 0 && my >= 0 && mx < MapWidth() && my < MapHeight() ? 1 : 0;
}

const uint8_t* CMDisplay::GetCellFrame(int col, int row) {
  if (!InView(col, row)) return nullptr;
  Refresh();
  const uint8_t* f = cellFrames_[CellIndex(col, row)];
  return f ? f : blankFrame_.GetData();
}

CTile* CMDisplay::GetCellTile(int col, int row) {
  if (!InView(col, row)) return nullptr;
  Refresh();
  return cellTilePtrs_[CellIndex(col, row)];
}

int CMDisplay::BlankRect(int x1, int y1, int x2, int y2) {
  if (x1 < 0) x1 = 0;
  if (y1 < 0) y1 = 0;
  if (x2 >= viewWidth_) x2 = viewWidth_ - 1;
  if (y2 >= viewHeight_) y2 = viewHeight_ - 1;
  const uint8_t* blank = blankFrame_.GetData();
  for (int row = y1; row <= y2; ++row)
    for (int col = x1; col <= x2; ++col) {
      const size_t i = CellIndex(col, row);
      cellTiles_.SetU16(0, col, row);
      cellTilePtrs_[i] = nullptr;
      cellFrames_[i] = blank;
    }
  return 1;
}
