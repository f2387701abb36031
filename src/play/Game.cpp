// The game object: set-up, the displays, terrain and overlay look-ups, the
// command prompt and the end of a turn.
#include "play/Game.h"

#include "graphics/TileSet.h"
#include "scenario/Keywords.h"
#include "text/Output.h"
#include "world/WorldPaths.h"

CGame::CGame() = default;
CGame::~CGame() = default;

int CGame::Initialize(CGameUIControl* ctl, int number, const GameDisplays& displays) {
  if (number < 1 || number > 65535) {
    PrintLine("ERROR (CGame): Invalid scenario %d", number);
    return 0;
  }
  control = ctl;
  scenarioNumber = number;
  displays_ = displays;
  LoadScenario(scenario, number);
  verbosity = scenario.config.verbosity;
  world.foodRate = scenario.config.foodRate;
  if (!displays_.tiles) {
    // Without the controller's tiles the game reads its own, for terrain.
    ownTiles_ = LoadCreateTS(number, "");
    displays_.tiles = ownTiles_.get();
  }
  return 1;
}

void CGame::SetDisplays(const GameDisplays& displays) {
  CTileSet* tiles = displays_.tiles;
  displays_ = displays;
  if (!displays_.tiles) displays_.tiles = tiles;
}

CMapView* CGame::View() const { return viewMode == 2 ? displays_.firstPerson : displays_.overhead; }

const CTileSet* CGame::TileSetForView() const {
  if (viewMode == 2 && displays_.vectorTiles) return displays_.vectorTiles;
  return displays_.tiles;
}

int CGame::Capability() const {
  if (!pc) return CapabilityLand;
  if (pc->vehicle && scenario.defs.vehicles) {
    const VehicleDef* v = scenario.defs.vehicles->Find(pc->vehicle->defId);
    if (v) return v->terrainCap;
  }
  return pc->def.terrainCap;
}

int CGame::CellTerrain(int x, int y) const {
  if (!map || x < 0 || y < 0 || x >= map->Width() || y >= map->Height()) return -1;
  uint16_t id = map->Tile(x, y);
  const CTileSet* tiles = TileSetForView();
  if (id == 0 || !tiles) return -1;
  const CTile* t = const_cast<CTileSet*>(tiles)->Find(id);
  return t ? t->terrain : -1;
}

uint16_t CGame::ObjectTile(int kind, uint16_t id) const {
  const DefHeader* def = nullptr;
  switch (kind) {
    case KindCreature:
      if (creatures && creatures->Get(id)) def = creatures->Get(id)->def;
      break;
    case KindLocation:
      if (locations && locations->Get(id)) def = locations->Get(id)->def;
      break;
    case KindVehicle:
      if (vehicles && vehicles->Get(id)) def = vehicles->Get(id)->def;
      break;
    case KindItem:
      if (items && items->Get(id)) def = items->Get(id)->def;
      break;
    default:
      break;
  }
  if (!def) return 0;
  uint16_t tile = viewMode == 2 ? def->vectorTile : def->tile;
  if (!tile) return 0;
  // A tile of view class CLEAR counts as no tile.
  if (CTileSet* set = const_cast<CTileSet*>(TileSetForView())) {
    const CTile* t = set->Find(tile);
    if (t && t->view == TileViewClear) return 0;
  }
  return tile;
}

int CGame::ObjectTerrain(int kind, uint16_t id) const {
  uint16_t tile = ObjectTile(kind, id);
  if (!tile) return -1;
  CTileSet* set = const_cast<CTileSet*>(TileSetForView());
  const CTile* t = set ? set->Find(tile) : nullptr;
  return t ? t->terrain : -1;
}

bool CGame::CheckTerrainFor(int terrain) const {
  return CheckTerrain(scenario.terrainGroups.get(), uint16_t(terrain), uint16_t(Capability()));
}

bool CGame::CellBlocked(int x, int y) const {
  if (!map || x < 0 || y < 0 || x >= map->Width() || y >= map->Height()) return true;
  int cap = Capability();
  if (qmap) {
    if (const QEntry* top = qmap->Top(x, y)) {
      if (cap == CapabilityEmpty) return true;  // blocked by every object
      int t = ObjectTerrain(top->kind, top->id);
      if (t >= 0) return CheckTerrainFor(t);
    }
  }
  int t = CellTerrain(x, y);
  if (t < 0) return !(viewMode == 2 || cap == CapabilityAll);
  return CheckTerrainFor(t);
}

void CGame::RefreshOverlay(int x, int y) {
  if (!qmap || !qmap->Inside(x, y)) return;
  const QEntry* top = qmap->Top(x, y);
  uint16_t tile = top ? ObjectTile(top->kind, top->id) : 0;
  overlay[size_t(y) * size_t(qmap->Width()) + size_t(x)] = tile;
  if (CMapView* v = View()) v->SetOverlay(x, y, tile);
}

int CGame::PushObject(int kind, uint16_t id, int x, int y, uint8_t effect) {
  if (!qmap || !qmap->Push(x, y, uint16_t(kind), id, effect)) return 0;
  RefreshOverlay(x, y);
  return 1;
}

int CGame::RunScript(int type, uint16_t script) {
  if (!script || !hooks_.runScript) return 0;
  return hooks_.runScript(type, script);
}

int CGame::RedrawAll() {
  redrawPending = false;
  if (options.redrawDebug) PrintLine("RedrawAll");
  CMapView* v = View();
  if (!v) return 1;
  if (!v->Redraw()) {
    PrintLine("ERROR: Could not redraw");
    return 0;
  }
  return 1;
}

void CGame::CommandPrompt() {
  if (hooks_.beforePrompt) hooks_.beforePrompt();
  if (runTriggersMark) {
    if (hooks_.positionTriggers) hooks_.positionTriggers();
    runTriggersMark = false;
    mapData.flags &= uint8_t(~MapDataDoTriggers);
  }
  Print("CMD: ");
}

// A command that took time: the world's turn, then the next prompt.
int CGame::EndTurn() {
  if (hooks_.worldTurn) {
    if (!hooks_.worldTurn()) return 0;
  } else if (hooks_.positionTriggers && playerMayAct) {
    hooks_.positionTriggers();
  }
  arrivalMark = false;
  if (redrawPending && !RedrawAll()) return 0;
  if (mapData.turnScript) RunScript(ScriptTurn, mapData.turnScript);
  if (playerMayAct) CommandPrompt();
  return 1;
}

int CGame::Refuse(const char* text) {
  PrintLine("%s", text);
  CommandPrompt();
  return 1;
}

int CGame::IllegalCommand() {
  if (playerMayAct) {
    PrintLine("-ILLEGAL COMMAND!");
    CommandPrompt();
  }
  return 1;
}
