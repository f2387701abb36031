// The game's operations on the overhead view, the view map and pictures.
#include "graphics/GameViews.h"

#include <cstdio>
#include <string>

#include "data/BArray.h"
#include "graphics/FrameSet.h"
#include "graphics/ImageDisplay.h"
#include "graphics/OverheadDisplay.h"
#include "text/Output.h"

int PlaceTileAtMapPos(CMDisplay& view, int x, int y, uint16_t tile) {
  if (view.SetCellAtMapPos(x, y, tile)) return 1;
  int col = 0, row = 0;
  return view.MapPosToCell(x, y, &col, &row) && view.SetCell(col, row, tile);
}

int RedrawGameView(CMDisplay& view, const GameViewRedraw& redraw) {
  bool ok = view.CreateSTMap();
  if (ok) {
    // Members off the view are simply not shown.
    for (const PlacedTile& m : redraw.members) PlaceTileAtMapPos(view, m.x, m.y, m.tile);
    if (redraw.showPlayer) {
      if (redraw.screenLocked)
        PlaceTileAtMapPos(view, redraw.player.x, redraw.player.y, redraw.player.tile);
      else
        ok = view.SetCellRelCentre(0, 0, redraw.player.tile);
    }
  }
  if (ok) ok = view.CreateSFMap();
  if (ok && redraw.lineOfSight)
    ok = redraw.screenLocked ? view.LineOfSightFrom(redraw.lockedCol, redraw.lockedRow)
                             : view.LineOfSight();
  if (ok) ok = view.RenderFSBuffer() && view.Display();
  if (!ok) PrintLine("ERROR: Could not redraw");
  return ok ? 1 : 0;
}

bool ViewMapAllowed(bool exists, int vmType, bool firstPersonMap, bool mapHasAltDisplay) {
  if (!exists) return false;
  if (firstPersonMap) return vmType == 1 || vmType == 2 || mapHasAltDisplay;
  return vmType != 2;
}

int RedrawViewMap(CMDisplay& viewMap, const ViewMapMarker& marker) {
  bool ok = viewMap.CreateSTMap();
  if (ok && marker.charTile != 0 && marker.show)
    PlaceTileAtMapPos(viewMap, marker.x, marker.y, marker.charTile);
  if (ok) ok = viewMap.CreateSFMap();
  if (ok) ok = viewMap.RenderFSBuffer() && viewMap.Display();
  if (!ok) PrintLine("ERROR: Could not redraw");
  return ok ? 1 : 0;
}

int OpenViewMap(CMDisplay& viewMap, CMap* map, CBArray* overlay, CMDisplay* gameView,
                const ViewMapMarker& marker) {
  bool ok = viewMap.SetMap(map) && viewMap.SetViewPosFraction(0.5f, 0.5f) &&
            viewMap.AttachOverlay(overlay);
  if (ok) {
    if (gameView) gameView->Blank();
    ok = RedrawViewMap(viewMap, marker);
  }
  if (!ok) {
    viewMap.ForgetOverlay();
    viewMap.Blank();
    return 0;
  }
  return 1;
}

int ScrollViewMap(CMDisplay& viewMap, int dx, int dy, const ViewMapMarker& marker) {
  return viewMap.ScrollView(dx, dy) && RedrawViewMap(viewMap, marker);
}

int JumpViewMap(CMDisplay& viewMap, float fx, float fy, const ViewMapMarker& marker) {
  return viewMap.SetViewPosFraction(fx, fy) && RedrawViewMap(viewMap, marker);
}

int CloseViewMap(CMDisplay& viewMap) {
  viewMap.ForgetOverlay();
  return viewMap.Blank();
}

int ShowImage(ImageDisplay* imageDisplay, CMDisplay& gameView, CBArray* picture, int scenario,
              const char* name) {
  if (!imageDisplay || !picture || !name) return 0;
  const std::string path = ScenarioDirName(scenario) + "\\" + name;
  CBArray loaded;
  if (!loaded.Load(path)) return 0;
  if (loaded.ElementSize() != 4) {
    PrintLine("ERROR (ShowImage): %s does not hold 4-byte pixels", path.c_str());
    return 0;
  }
  picture->Swap(loaded);
  const int64_t w = picture->Width(), h = picture->Height();
  const int64_t areaW = int64_t(gameView.FrameWidth()) * gameView.ViewWidth();
  const int64_t areaH = int64_t(gameView.FrameHeight()) * gameView.ViewHeight();
  gameView.Blank();
  const int64_t a = areaW > w ? int64_t(double(areaW - w) * 0.5) : 0;
  const int64_t b = areaH > h ? int64_t(double(areaH - h) * 0.5) : 0;
  imageDisplay->SetOffset(int(a), int(b));
  return imageDisplay->SetImage(picture) && imageDisplay->Show() ? 1 : 0;
}

int EndImage(ImageDisplay& imageDisplay, CBArray* picture) {
  if (!picture || !picture->HasData()) return 0;
  picture->Fill(0);
  return imageDisplay.Show();
}

int FitViewToMap(CMDisplay& view, int px, int py, int* lockedCol, int* lockedRow) {
  auto fit = [](int size, int mapSize, int p) {
    const int c = size / 2;
    if (size >= mapSize) return mapSize / 2;
    if (p - c < 0) return c;
    if (p + c >= mapSize) return mapSize - 1 - c;
    return p;
  };
  const int x = fit(view.ViewWidth(), view.MapWidth(), px);
  const int y = fit(view.ViewHeight(), view.MapHeight(), py);
  if (!view.SetViewPos(x, y)) return 0;
  int col = 0, row = 0;
  if (!view.MapPosToCell(px, py, &col, &row)) {
    view.SetViewPos(px, py);
    return 0;
  }
  if (lockedCol) *lockedCol = col;
  if (lockedRow) *lockedRow = row;
  return 1;
}
