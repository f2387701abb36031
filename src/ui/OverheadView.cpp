#include "ui/OverheadView.h"

#include "data/BArray.h"
#include "graphics/MapSet.h"
#include "graphics/OverheadDisplay.h"

int OverheadView::SetMap(const CMap* map) {
  // The display reads the map's cells and never changes them.
  if (!display_.SetMap(const_cast<CMap*>(map))) return 0;
  return display_.CreateOverlay() != nullptr;
}

int OverheadView::SetOverlay(int x, int y, uint16_t tile) { return display_.SetOverlayTile(x, y, tile); }

int OverheadView::Move(int x, int y, int) {
  redraw_.player.x = x;
  redraw_.player.y = y;
  return display_.SetViewPos(x, y);
}

int OverheadView::Redraw() {
  redraw_.lineOfSight = lineOfSight_;
  return RedrawGameView(display_, redraw_);
}

void OverheadView::SetDark(bool dark) { display_.SetDark(dark); }

void OverheadView::ShowPlayer(bool shown, uint16_t tile) {
  redraw_.showPlayer = shown;
  redraw_.player.tile = tile;
}
