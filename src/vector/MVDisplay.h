#pragma once
// CMVDisplay: the first-person view. The map is shown as seen by the party
// standing on a cell and facing north, east, south or west: a picture built
// from vector frames drawn from the farthest visible cell to the nearest,
// each halved in size and moved towards the vanishing point per cell of
// distance. It offers the same map, overlay, darkness and animation calls as
// the overhead display.
//
// The picture is a CBArray (4-byte pixels, row 0 at the bottom). Display()
// shows it in the window at (screenX, screenY) magnified by scale; with an
// output canvas set (tools, tests) it is drawn into that canvas instead.
#include <cstdint>
#include <memory>
#include <string>

#include "data/BArray.h"
#include "graphics/MapSet.h"
#include "platform/Canvas.h"
#include "vector/VRender.h"
#include "vector/VTile.h"

enum VBackgroundType : uint8_t { VBackBorder = 0, VBackNone = 1, VBackFrame = 2, VBackTile = 3 };

// The map the view shows: its cells (2-byte tile IDs, row 0 north), the
// eight edge borders (N, NE, E, SE, S, SW, W, NW; any may be none) and the
// start cell and facing (255: keep the current facing).
struct VMapSource {
  const CBArray* cells = nullptr;
  const MapBorder* borders[8] = {nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr};
  int startX = 0, startY = 0;
  uint8_t startFacing = 255;
};
VMapSource MapSourceOf(const CMap& map);

// Largest picture side and largest geometry value VConfig.dat may set.
inline constexpr int MaxVPictureSide = 4096;
inline constexpr int MaxVGeometry = 1 << 16;
inline constexpr int MaxVRows = 64;

class CMVDisplay {
 public:
  static constexpr int Lanes = 3;
  static constexpr int PhaseCount = 24;

  CMVDisplay() = default;
  CMVDisplay(const CMVDisplay&) = delete;
  CMVDisplay& operator=(const CMVDisplay&) = delete;

  // Reads "DATA<n>\VConfig.dat" (or the file given); call before Init.
  int LoadConfig(int scenario);
  int LoadConfigFile(const std::string& enginePath);
  int LoadConfigText(const std::string& text);

  int Init(int screenX, int screenY, int scale);
  int SetSets(const VTileSet* tileSet, const VFrameSet* frameSet);
  int SetMap(const CMap* map);
  int SetMapSource(const VMapSource& source);
  int SetViewPos(int x, int y, int facing);
  void SetDark(bool dark) { dark_ = dark; }
  void SetAnimate(bool on) { animate_ = on; }
  int SetAnimDivider(int n);
  void SetAnimPhase(int p);
  void AddAnimPhase(int d) { SetAnimPhase(phase_ + d); }

  // Overlays: 2-byte object tile IDs over the map, 0 = nothing. The one
  // CreateOverlay makes (map-sized, zeroed, unless one is in use) belongs to
  // the display: after ForgetOverlay it is freed by the next CreateOverlay
  // or with the display. A game that keeps an overlay per map makes its own
  // arrays and attaches them (AttachOverlay(nullptr) detaches).
  CBArray* CreateOverlay();
  void AttachOverlay(CBArray* overlay);
  CBArray* GetOverlay() const { return overlay_; }
  void ForgetOverlay();
  int SetOverlayTile(int x, int y, uint16_t id);
  int MoveOverlayTile(int x1, int y1, int x2, int y2);

  int CreateVTMap();
  int Render();
  int Display();
  int Blank();
  // CreateVTMap, Render, Display with their error lines.
  int FullRedraw();
  // The controller's timer counter: advances the phase every animDivider
  // ticks, renders and displays (the view cells are not rebuilt).
  int AnimationTick(unsigned tick);

  // Draws a frame at the place and size of a view depth.
  int RenderAtDepth(uint16_t frameID, int depth);

  // Display() draws here instead of the window while set (none: the window).
  void SetOutputCanvas(Canvas* canvas) { outputCanvas_ = canvas; }

  // Geometry and settings (VConfig.dat sets them; tools may too).
  void SetBackground(uint8_t type, uint16_t value) {
    backgroundType_ = type;
    backgroundValue_ = value;
  }
  int SetPictureSize(int width, int height);
  int SetRootOffset(int x, int y);
  int SetSideStep(int x, int y);
  int SetRows(int rows);

  int ScreenX() const { return screenX_; }
  int ScreenY() const { return screenY_; }
  int Scale() const { return scale_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Rows() const { return rows_; }
  int RootX() const { return rootX_; }
  int RootY() const { return rootY_; }
  int SideX() const { return sideX_; }
  int SideY() const { return sideY_; }
  uint8_t BackgroundType() const { return backgroundType_; }
  uint16_t BackgroundValue() const { return backgroundValue_; }
  bool Dark() const { return dark_; }
  bool Animate() const { return animate_; }
  int Phase() const { return phase_; }
  int PosX() const { return posX_; }
  int PosY() const { return posY_; }
  int Facing() const { return facing_; }
  CBArray* Target() { return &target_; }
  const VFrameSet* FrameSet() const { return frameSet_; }
  const VTileSet* TileSet() const { return tileSet_; }
  RenderContext* Context() { return &context_; }
  // The view cells after CreateVTMap (lane 0 left, 1 centre, 2 right).
  uint16_t ViewTile(int lane, int depth) const;
  uint16_t ViewOverlay(int lane, int depth) const;
  // The map cell of a view cell for the current position and facing.
  void ViewCellToMap(int lane, int depth, int* x, int* y) const;

 private:
  void CellIDs(int x, int y, uint16_t* tile, uint16_t* overlayID) const;
  int DrawTileAt(uint16_t tileID, int depth);
  int DrawSideLane(int side, int farLimit, bool farBlocks, bool ownBlocks);
  const VTile* FindTile(uint16_t id) const { return tileSet_ ? tileSet_->Get(id) : nullptr; }

  int screenX_ = 0, screenY_ = 0, scale_ = 1;
  bool dark_ = false;
  CBArray target_;
  int width_ = 256, height_ = 128;
  RenderContext context_;
  int rootX_ = 0, rootY_ = 0;
  int sideX_ = 64, sideY_ = 32;
  const VFrameSet* frameSet_ = nullptr;
  const VTileSet* tileSet_ = nullptr;
  int phase_ = 0;
  VMapSource map_;
  bool hasMap_ = false;
  int mapWidth_ = 0, mapHeight_ = 0;
  std::vector<uint16_t> viewTiles_, viewOverlay_;
  int rows_ = 12;
  int halfLanes_ = Lanes / 2;
  int posX_ = 0, posY_ = 0;
  int facing_ = 0;  // north until a map or position says otherwise
  CBArray* overlay_ = nullptr;
  std::unique_ptr<CBArray> ownedOverlay_;
  bool animate_ = true;
  int animDivider_ = 1;
  uint8_t backgroundType_ = VBackBorder;
  uint16_t backgroundValue_ = 0;
  Canvas* outputCanvas_ = nullptr;
};

// Draws a frame at the place and size of a view depth: from the root
// origin, each step of depth adds the side step (halved per further step,
// in whole numbers) and halves the scale.
int RenderFrameAtDepth(RenderContext* context, uint16_t frameID, int depth, int rootX, int rootY,
                       int sideX, int sideY);

// Draws a picture (row 0 at the bottom) into a canvas at (x, y) magnified by
// whole factors, clipped to the canvas.
int DrawPictureOnCanvas(const CBArray& picture, Canvas* canvas, int x, int y, int scale);
