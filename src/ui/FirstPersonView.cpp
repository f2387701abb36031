#include "ui/FirstPersonView.h"

#include "data/BArray.h"
#include "graphics/TileSet.h"
#include "vector/MVDisplay.h"
#include "vector/VTile.h"

std::unique_ptr<CTileSet> MakeTerrainTileSet(const VTileSet& tiles) {
  auto set = std::make_unique<CTileSet>();
  if (!set->Init(tiles.Capacity(), 0, 0)) return nullptr;
  for (int i = 0; i < tiles.Capacity(); ++i) {
    const VTile* v = tiles.ItemAt(i);
    if (!v) continue;
    auto tile = std::make_unique<CTile>();
    tile->view = static_cast<uint8_t>(v->view);
    tile->terrain = v->terrain;
    tile->effect = v->effect;
    tile->SetName(v->name.c_str());
    if (!set->AddNext(tiles.IdAt(i), tile.get())) return nullptr;
    tile.release();  // the set owns it now
  }
  return set;
}

int FirstPersonView::SetMap(const CMap* map) {
  if (!display_.SetMap(map)) return 0;
  return display_.CreateOverlay() != nullptr;
}

int FirstPersonView::SetOverlay(int x, int y, uint16_t tile) { return display_.SetOverlayTile(x, y, tile); }

int FirstPersonView::Move(int x, int y, int facing) { return display_.SetViewPos(x, y, facing); }

int FirstPersonView::Redraw() { return display_.FullRedraw(); }

void FirstPersonView::SetDark(bool dark) { display_.SetDark(dark); }
