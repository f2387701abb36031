#pragma once
// CMDisplay: the overhead view. A rectangle of viewWidth x viewHeight cells
// around a map position (viewX, viewY shown in the centre cell), drawn at
// window position (screenX, screenY) with every frame pixel as scale x scale
// window pixels. It keeps three cell maps of the view:
//   - the screen tile map (tile ID per cell), built from the map, the object
//     overlay and the map's edge borders (CreateSTMap);
//   - the screen frame map and the cell tiles (CreateSFMap), which pick each
//     tile's frame for the current animation phase.
// It then hides what the party cannot see (LineOfSight) and copies the
// frames to the window, cell by cell or through one full-screen buffer
// (buffer mode, "FSB"); both give the same pixels.
//
// The display never owns the map, the frame set or the tile set; they must
// outlive it or be replaced (SetSets, SetMap) before they are freed. It
// holds pointers into the sets' frames and tiles only as long as the sets
// are unchanged: every change to a set (its Generation counter) makes the
// next use rebuild the frame map, and replacing a set empties it, so deleted
// or replaced frames and tiles are never drawn or returned.
//
// Operations return 1 for success and 0 for failure.
#include <cstdint>
#include <memory>
#include <vector>

#include "data/BArray.h"

class CBArraySet;
class CMap;
class CTile;
class CTileSet;

inline constexpr int AnimPhaseCount = 24;
// View class of a tile that is drawn by a patch but does not count as a
// tile of the cell (tile effects).
inline constexpr uint8_t TileViewPatchOnly = 4;

class CMDisplay {
 public:
  CMDisplay();
  ~CMDisplay();
  CMDisplay(const CMDisplay&) = delete;
  CMDisplay& operator=(const CMDisplay&) = delete;

  // Window position (kept when < 0), view size in cells (kept when < 1) and
  // scale (kept when < 1). A new view size recreates the cell maps (all
  // empty) and, in buffer mode, the screen buffer.
  int Init(int screenX, int screenY, int viewWidth, int viewHeight, int scale);
  // The tile set is kept when null (fails when there is none); a new frame
  // set brings its frame size. Frames must have 4-byte pixels.
  int SetSets(CTileSet* tileSet, CBArraySet* frameSet);
  // Shows a map from its start position; drops the overlay and darkness.
  // Fails (keeping the old map) when the start position is outside the map.
  int SetMap(CMap* map);
  CMap* GetMap() const { return map_; }
  int SetViewPos(int x, int y);
  int SetViewPosFraction(float fx, float fy);
  // Moves the view; positions beyond an edge come back in from the other.
  int ScrollView(int dx, int dy);
  void SetDark(bool dark) { dark_ = dark; }
  bool Dark() const { return dark_; }

  void SetAnimate(bool animate) { animate_ = animate; }
  int SetAnimDivider(uint16_t divider);
  uint16_t AnimDivider() const { return animDivider_; }
  void SetAnimPhase(int phase);
  void AddAnimPhase(int delta) { SetAnimPhase(phase_ + delta); }
  int SetFSBMode(bool on);

  // The object overlay: tile IDs laid over the map (0 = nothing), of the
  // map's size with 2-byte elements.
  CBArray* CreateOverlay();
  // Uses an overlay owned elsewhere; null detaches. Fails unless the array
  // matches the map's size and has 2-byte elements.
  int AttachOverlay(CBArray* overlay);
  CBArray* GetOverlay() const { return overlay_; }
  // Drops the overlay (an overlay created here is freed).
  void ForgetOverlay();
  int SetOverlayTile(int x, int y, uint16_t id);
  int MoveOverlayTile(int x1, int y1, int x2, int y2);

  int CreateSTMap();
  int CreateSFMap();
  int SetCell(int col, int row, uint16_t id);
  int SetCellRelCentre(int dx, int dy, uint16_t id) {
    return SetCell(centreX_ + dx, centreY_ + dy, id);
  }
  int SetCellAtMapPos(int x, int y, uint16_t id) {
    return SetCell(x - viewX_ + centreX_, y - viewY_ + centreY_, id);
  }
  // The view cell showing a map position, allowing for wrapping edges.
  int MapPosToCell(int x, int y, int* col, int* row) const;
  // The map position of a view cell; 1 only when it lies inside the map.
  int CellToMapPos(int col, int row, int* x, int* y) const;
  // The frame drawn in a cell (the blank frame for empty cells) and the
  // tile of the cell; null outside the view.
  const uint8_t* GetCellFrame(int col, int row);
  CTile* GetCellTile(int col, int row);
  uint16_t GetCellID(int col, int row) const;
  int BlankRect(int x1, int y1, int x2, int y2);

  // The sight rule: hides every cell behind sight-blocking cells, seen from
  // the centre cell or from another view cell.
  int LineOfSight();
  int LineOfSightFrom(int col, int row);
  // One scan of the sight rule from cell (x1, y1) towards (x2, y2).
  void ScanBlock(int x1, int y1, int x2, int y2);
  // Straight line between two view cells over the tiles shown (LineClear or
  // LineBlocked from SightLines.h in *result).
  int CheckViewLine(int* result, int col1, int row1, int col2, int row2);

  int RenderFSBuffer();
  int Display();
  int DrawFrameAtCell(const uint8_t* frame, int col, int row);
  int Blank();
  // A timer tick: every animDivider-th tick moves the phase on and shows the
  // tiles' frames for it (the tile map is not rebuilt).
  int AnimationTick(int tick);

  // Tiles drawn over a rectangle of view cells after each frame-map rebuild,
  // one per cell row by row; the tiles stay the caller's and must outlive
  // the patch. Frames come from patchFrames (the display's own when null).
  // Null tiles remove the patch.
  int SetPatch(CTile* const* tiles, int x1, int y1, int x2, int y2, CBArraySet* patchFrames);
  int ApplyPatch();
  bool HasPatch() const { return hasPatch_; }

  int ScreenX() const { return screenX_; }
  int ScreenY() const { return screenY_; }
  int Scale() const { return scale_; }
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  int CentreX() const { return centreX_; }
  int CentreY() const { return centreY_; }
  int ViewX() const { return viewX_; }
  int ViewY() const { return viewY_; }
  int MapWidth() const;
  int MapHeight() const;
  int FrameWidth() const { return frameWidth_; }
  int FrameHeight() const { return frameHeight_; }
  bool FSBMode() const { return bufferMode_; }
  bool Animate() const { return animate_; }
  int Phase() const { return phase_; }
  const CBArray& BlankFrame() const { return blankFrame_; }
  const CBArray& CellTiles() const { return cellTiles_; }
  const CBArray& ScreenBuffer() const { return screenBuffer_; }
  CTileSet* GetTileSet() const { return tileSet_; }
  CBArraySet* GetFrameSet() const { return frameSet_; }

 private:
  struct SetStamp {
    const void* set = nullptr;
    uint32_t generation = 0;
  };

  bool InView(int col, int row) const {
    return col >= 0 && row >= 0 && col < viewWidth_ && row < viewHeight_;
  }
  size_t CellIndex(int col, int row) const { return size_t(row) * size_t(viewWidth_) + size_t(col); }
  int TakeFrameDims();
  int EnsureScreenBuffer();
  // Rebuilds the frame map when a set changed since it was built.
  int Refresh();
  // Empties the frame map (cells show the blank frame until the next
  // CreateSFMap): its pointers belong to sets or a blank frame that are gone.
  void DropFrameMap();
  void BuildLookups();
  CTile* LookupTile(uint16_t id) const;
  const uint8_t* LookupFrame(uint16_t id) const;
  uint16_t MapOrOverlay(const CBArray* overlay, int x, int y) const;
  uint16_t BorderTile(const CBArray* overlay, int x, int y) const;
  bool OverlayUsable() const;
  int Blit(const uint8_t* pixels, int width, int height, int x, int y) const;

  CTileSet* tileSet_ = nullptr;
  CBArraySet* frameSet_ = nullptr;
  int frameWidth_ = 0, frameHeight_ = 0, frameElementSize_ = 0;
  int phase_ = 0;
  CMap* map_ = nullptr;
  int screenX_ = 0, screenY_ = 0;
  int scale_ = 1;
  bool dark_ = false;
  CBArray cellTiles_;
  std::vector<const uint8_t*> cellFrames_;
  std::vector<CTile*> cellTilePtrs_;
  int viewWidth_ = 1, viewHeight_ = 1;
  int centreX_ = 0, centreY_ = 0;
  int viewX_ = 0, viewY_ = 0;
  CBArray blankFrame_;
  CBArray* overlay_ = nullptr;
  std::unique_ptr<CBArray> ownedOverlay_;
  bool bufferMode_ = false;
  CBArray screenBuffer_;
  bool animate_ = true;
  uint16_t animDivider_ = 1;

  bool hasPatch_ = false;
  std::vector<CTile*> patch_;
  int patchX1_ = 0, patchY1_ = 0, patchX2_ = 0, patchY2_ = 0;
  CBArraySet* patchFrames_ = nullptr;

  // What the frame map was built from; a mismatch means it must be rebuilt.
  bool frameMapBuilt_ = false;
  SetStamp builtTiles_, builtFrames_, builtPatchFrames_;
  // ID -> tile and ID -> frame tables, rebuilt when a set changes.
  SetStamp lookupTiles_, lookupFrames_;
  std::vector<CTile*> tileByID_;
  CTile* defaultTile_ = nullptr;
  std::vector<const uint8_t*> frameByID_;
};

// A display as the controller creates it: at window position (x, y),
// columns x rows cells at the scale, with its tile and frame sets, in
// buffer mode when asked, with the animation frequency (ticks per phase
// step; 0 counts as 1). The game's overhead view and the 64 x 64 view map
// (always in buffer mode) are made so. Null on failure, with LastErrorText.
std::unique_ptr<CMDisplay> CreateMDisplay(int x, int y, int columns, int rows, int scale,
                                          CTileSet* tileSet, CBArraySet* frameSet,
                                          bool bufferMode, uint16_t animFrequency);

// The debug screen "*** CMDisplay Benchmarks ***": runs one display
// operation as often as asked between two time-of-day lines.
int UIDisplayBenchmark(CMDisplay* display);
