#include "graphics/SightLines.h"

#include <cstdlib>

#include "graphics/MapSet.h"
#include "graphics/TileSet.h"

int CellDistance(int a, int b) { return a > b ? a + b / 2 : b + a / 2; }

namespace {

bool Wraps(const CMap& map, int direction) {
  const MapBorder* b = map.Border(direction);
  return b && b->fillType == BorderFillWrap;
}

}  // namespace

int CheckMapLine(int* result, const CMap& map, CTileSet& tiles, int x1, int y1, int x2, int y2) {
  int r = LineClear;
  const int W = map.Width(), H = map.Height();
  int dx = x2 - x1, dy = y2 - y1;
  if (dx != 0 || dy != 0) {
    int sx = 0, sy = 0;
    if (dx > 0) {
      sx = 1;
      if (dx >= W / 2 && Wraps(map, BorderE)) dx -= W, sx = -1;
    } else if (dx < 0) {
      sx = -1;
      if (dx <= -(W / 2) && Wraps(map, BorderW)) dx += W, sx = 1;
    }
    if (dy > 0) {
      sy = 1;
      if (dy >= H / 2 && Wraps(map, BorderS)) dy -= H, sy = -1;
    } else if (dy < 0) {
      sy = -1;
      if (dy <= -(H / 2) && Wraps(map, BorderN)) dy += H, sy = 1;
    }
    const int adx = std::abs(dx), ady = std::abs(dy);
    const int n = adx > ady ? adx : ady;
    float stepX, stepY;
    if (adx >= ady) {
      stepX = float(sx);
      stepY = float(sy * ady) / float(adx);
    } else {
      stepX = float(sx * adx) / float(ady);
      stepY = float(sy);
    }
    float x = float(x1), y = float(y1);
    const bool wrapW = Wraps(map, BorderW), wrapE = Wraps(map, BorderE);
    const bool wrapN = Wraps(map, BorderN), wrapS = Wraps(map, BorderS);
    for (int i = 1; i < n && r == LineClear; ++i) {
      bool leaving = false;
      x += stepX;
      if (x < 0) {
        if (wrapW) x += float(W);
        else leaving = true;
      }
      if (x + 0.5f >= float(W)) {
        if (wrapE) x -= float(W);
        else leaving = true;
      }
      y += stepY;
      if (y < 0) {
        if (!wrapN) r = LineBlocked;
        else y += float(H);
      }
      if (r == LineClear && y + 0.5f >= float(H)) {
        if (!wrapS) r = LineBlocked;
        else y -= float(H);
      }
      if (r != LineClear || leaving) {
        r = LineBlocked;
        break;
      }
      uint16_t id = map.Tile(int(x + 0.5f), int(y + 0.5f));
      if (id == 0) continue;
      const CTile* tile = tiles.Find(id);
      if (tile && tile->view == TileViewBlocked) r = LineBlocked;
    }
  }
  if (result) *result = r;
  return 1;
}

int CheckViewLine(int* result, int col1, int row1, int col2, int row2,
                  const std::function<uint8_t(int col, int row)>& viewClassAt) {
  int r = LineClear;
  const int dx = col2 - col1, dy = row2 - row1;
  const int adx = std::abs(dx), ady = std::abs(dy);
  if ((adx || ady) && viewClassAt) {
    const int n = adx > ady ? adx : ady;
    const int sx = dx > 0 ? 1 : dx < 0 ? -1 : 0, sy = dy > 0 ? 1 : dy < 0 ? -1 : 0;
    float stepX, stepY;
    if (adx >= ady) {
      stepX = float(sx);
      stepY = float(sy * ady) / float(adx);
    } else {
      stepX = float(sx * adx) / float(ady);
      stepY = float(sy);
    }
    float c = float(col1), w = float(row1);
    for (int i = 1; i < n; ++i) {
      c += stepX;
      w += stepY;
      if (viewClassAt(int(c + 0.5f), int(w + 0.5f)) == TileViewBlocked) {
        r = LineBlocked;
        break;
      }
    }
  }
  if (result) *result = r;
  return 1;
}
