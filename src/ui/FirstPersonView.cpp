#include "ui/FirstPersonView.h"

#include "data/BArray.h"
#include "vector/MVDisplay.h"

int FirstPersonView::SetMap(const CMap* map) {
  if (!display_.SetMap(map)) return 0;
  return display_.CreateOverlay() != nullptr;
}

int FirstPersonView::SetOverlay(int x, int y, uint16_t tile) { return display_.SetOverlayTile(x, y, tile); }

int FirstPersonView::Move(int x, int y, int facing) { return display_.SetViewPos(x, y, facing); }

int FirstPersonView::Redraw() { return display_.FullRedraw(); }

void FirstPersonView::SetDark(bool dark) { display_.SetDark(dark); }
