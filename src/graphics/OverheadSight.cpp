// CMDisplay: the sight rule. Cells whose tile has view class BLOCKED hide
// what lies behind them, as seen from one view cell; hidden cells are
// emptied (ID 0, no tile, the blank frame).
#include "graphics/OverheadDisplay.h"
#include "graphics/SightLines.h"
#include "graphics/TileSet.h"

// Visits the cells from (x1, y1) towards (x2, y2) row by row. Each blocking
// cell narrows the hidden rectangle (first the whole view) to the side away
// from the scan's start in the scan's directions and blanks it; the bounds
// stay narrowed for the rest of the scan. A scan of a single cell has no
// direction and hides nothing.
void CMDisplay::ScanBlock(int x1, int y1, int x2, int y2) {
  const int sx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
  const int sy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
  if (sx == 0 && sy == 0) return;
  Refresh();
  int minX = 0, maxX = viewWidth_ - 1, minY = 0, maxY = viewHeight_ - 1;
  for (int y = y1;; y += sy) {
    for (int x = x1;; x += sx) {
      if (InView(x, y)) {
        const CTile* tile = cellTilePtrs_[CellIndex(x, y)];
        if (tile && tile->view == TileViewBlocked) {
          if (sx > 0) minX = x + 1;
          if (sx < 0) maxX = x - 1;
          if (sy > 0) minY = y + 1;
          if (sy < 0) maxY = y - 1;
          BlankRect(minX, minY, maxX, maxY);
        }
      }
      if (x == x2 || sx == 0) break;
    }
    if (y == y2 || sy == 0) break;
  }
}

// Seen from the centre cell. The scans are those of LineOfSightFrom: they
// give the same view as scans that stop short of the outermost ring on views
// of 7 x 7 cells and more, and on smaller views a wall next to the centre
// hides only what lies behind it (scans that stop short of the ring would
// start and end on the same cell there and hide the whole view).
int CMDisplay::LineOfSight() { return LineOfSightFrom(centreX_, centreY_); }

int CMDisplay::LineOfSightFrom(int a, int b) {
  if (!InView(a, b)) return 0;
  Refresh();
  const int W = viewWidth_, H = viewHeight_;
  const bool near = b >= H - 2;
  if (b > 1) ScanBlock(a, b - 1, a, 0);
  if (a < W - 2) {
    if (b > 1) ScanBlock(a + 1, b - 1, W - 1, 0);
    ScanBlock(a + 1, b, W - 1, b);
    if (!near) ScanBlock(a + 1, b + 1, W - 1, H - 1);
  }
  if (!near) ScanBlock(a, b + 1, a, H - 1);
  if (a <= 1) return 1;
  if (!near) ScanBlock(a - 1, b + 1, 0, H - 1);
  ScanBlock(a - 1, b, 0, b);
  if (b > 1) ScanBlock(a - 1, b - 1, 0, 0);
  return 1;
}

int CMDisplay::CheckViewLine(int* result, int col1, int row1, int col2, int row2) {
  Refresh();
  return ::CheckViewLine(result, col1, row1, col2, row2, [this](int col, int row) -> uint8_t {
    if (!InView(col, row)) return 0;
    const CTile* tile = cellTilePtrs_[CellIndex(col, row)];
    return tile ? tile->view : 0;
  });
}
