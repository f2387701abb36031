// Maps at run time: loading (from the memory buffer or from the map's
// files), the map start, group buffers, leaving and changing maps.
#include <cstdio>

#include "platform/Files.h"
#include "play/Game.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/WorldPaths.h"

namespace {
constexpr const char* FileHeader = "QUORVELLIAN914 DATA V1\n\n";

// One source of an object list. False when the file has no usable section;
// a saved section that exists but cannot be read is reported, so that a
// damaged save never passes silently for the scenario's original list.
bool ReadListFrom(const std::string& path, char kind, LoadedObjectList& out, bool isSave) {
  std::string text;
  if (!AReadFile(path, text)) {
    DebugPrintLine("LoadObjectList: Could not open file: %s", path.c_str());
    return false;
  }
  DropLineEndCRs(text);
  if (!HasObjectListSection(text, kind)) return false;
  if (LoadObjectListText(text, kind, out)) return true;
  if (isSave)
    PrintLine("WARNING (LoadMap): The %c list of %s could not be read; using the next source", kind, path.c_str());
  return false;
}
}  // namespace

std::string CGame::ScenarioMapFile() const {
  std::string dir = ScenarioDirName(scenarioNumber);
  if (map && map->hasGameDataFile) {
    if (IsConfinedName(map->gameDataFile)) return dir + "\\" + map->gameDataFile;
    PrintLine("ERROR (LoadMap): Invalid game data file name: %s", map->gameDataFile.c_str());
  }
  return dir + "\\" + MapDataFileName(mapNumber);
}

int CGame::SwitchViewMode(int mode) {
  if (mode != 2) mode = 1;
  if (mode != viewMode && View()) View()->ShowPlayer(false, 0);
  viewMode = mode;
  if (control) control->mode = mode == 2 ? FirstPersonPlay : OverheadPlay;
  return 1;
}

int CGame::UpdateGroupBuffer() {
  if (condBufferRequest) {
    condBufferRequest = false;
    return 1;
  }
  uint16_t g = mapData.group;
  if (g != currentGroup) {
    if (currentGroup) {
      DebugPrintLine("Deleting group buffer %d", currentGroup);
      memoryBuffer.clear();
      if (groupCreatedByRun) {
        std::string dir = GroupBufferDir(currentGroup);
        if (ADirExists(dir) && !ADeleteDir(dir)) PrintLine("ERROR (DeleteBufferDir): Could not delete %s", dir.c_str());
      }
      groupCreatedByRun = false;
    }
    if (mapData.fileBuffer && g) {
      DebugPrintLine("Deleting group buffer %d", g);
      DebugPrintLine("Creating group buffer %d", g);
      std::string dir = GroupBufferDir(g);
      AMakeDir("save");
      if (ADirExists(dir)) ADeleteDir(dir);
      if (!AMakeDir(dir)) PrintLine("ERROR (CreateBufferDir): Could not create %s", dir.c_str());
      groupCreatedByRun = true;
    }
    currentGroup = g;
  }
  DebugPrintLine("Group buffer: %d", g);
  return 1;
}

int CGame::LoadMap(uint16_t m) {
  if (m == 0) {
    PrintLine("ERROR (LoadMap): Invalid map 0");
    return 0;
  }
  auto buffered = memoryBuffer.find(m);
  if (buffered != memoryBuffer.end()) {
    DebugPrintLine("Loading from memory buffer map %d", m);
    std::unique_ptr<MapSnapshot> snap = std::move(buffered->second);
    memoryBuffer.erase(buffered);
    SwitchViewMode(snap->map->viewMode == ViewModeFirstPerson ? 2 : 1);
    map = std::move(snap->map);
    mapNumber = m;
    mapData = std::move(snap->data);
    qmap = std::move(snap->qmap);
    overlay = std::move(snap->overlay);
    creatures = std::move(snap->creatures);
    locations = std::move(snap->locations);
    vehicles = std::move(snap->vehicles);
    items = std::move(snap->items);
    saveBMap = snap->saveBMap;
    playerX = map->startX < 0 ? 0 : map->startX;
    playerY = map->startY < 0 ? 0 : map->startY;
    if (map->startFacing != KeepFacing) facing = map->startFacing;
    else if (viewMode == 1) facing = 0;
    if (CMapView* v = View()) {
      v->SetMap(map.get());
      for (int y = 0; y < qmap->Height(); ++y)
        for (int x = 0; x < qmap->Width(); ++x)
          if (uint16_t t = overlay[size_t(y) * size_t(qmap->Width()) + size_t(x)]) v->SetOverlay(x, y, t);
    }
    MapStart();
    fromMemory = true;
    return 1;
  }

  DebugPrintLine("Loading map %d", m);
  std::unique_ptr<CMap> next = LoadMapObject(scenarioNumber, m);
  if (!next) {
    PrintLine("ERROR (LoadMap): Could not load map %d", m);
    return 0;
  }
  SwitchViewMode(next->viewMode == ViewModeFirstPerson ? 2 : 1);
  if (next->startX < 0) next->startX = 0;
  if (next->startY < 0) next->startY = 0;
  map = std::move(next);
  mapNumber = m;
  if (CMapView* v = View()) v->SetMap(map.get());
  playerX = map->startX;
  playerY = map->startY;
  if (map->startFacing != KeepFacing) facing = map->startFacing;
  else if (viewMode == 1) facing = 0;

  qmap = std::make_unique<QMap>(map->Width(), map->Height());
  overlay.assign(size_t(map->Width()) * size_t(map->Height()), 0);
  mapData = MapGameData();
  const std::string savePath = WorkingSaveDir(scenarioNumber) + "\\" + MapDataFileName(m);
  const std::string scenPath = ScenarioMapFile();
  if (!LoadMapGameData(savePath, scenarioNumber, mapData)) LoadMapGameData(scenPath, scenarioNumber, mapData);
  UpdateGroupBuffer();

  const std::string bufferPath = GroupBufferDir(currentGroup) + "\\" + MapDataFileName(m);
  auto search = [&](char kind, LoadedObjectList& out) {
    if (kind != 'L') {
      if (mapData.fileBuffer && currentGroup && ReadListFrom(bufferPath, kind, out, true)) return;
      if (ReadListFrom(savePath, kind, out, true)) return;
    }
    ReadListFrom(scenPath, kind, out, false);
  };
  LoadedObjectList c, l, v, i;
  search('C', c);
  search('L', l);
  search('V', v);
  search('I', i);
  creatures = c.creatures ? std::move(c.creatures) : std::make_unique<CreatureList>();
  locations = l.locations ? std::move(l.locations) : std::make_unique<LocationList>();
  vehicles = v.vehicles ? std::move(v.vehicles) : std::make_unique<VehicleList>();
  items = i.items ? std::move(i.items) : std::make_unique<ItemList>();
  ApplyLists();
  if (!LoadQMapStackOrder()) PrintLine("WARNING: Could not load stack order");
  if (securityArmed) {
    securityArmed = false;
    ItemListCheckSecurity();
  }
  saveBMap = false;
  MapStart();
  fromMemory = false;
  return 1;
}

void CGame::MapStart() {
  if (hooks_.mapEntered) hooks_.mapEntered();
  int d = mapData.dark;
  dark = d != 0 && (world.lightPoints <= 0 || (d > 1 && world.lightPower < d));
  if (CMapView* v = View()) v->SetDark(dark);
  world.foodRate = mapData.food >= 0 ? mapData.food : scenario.config.foodRate;
  if (scenario.config.wind && (mapData.wind == 0 || currentWind == 0)) currentWind = mapData.wind;
  if (mapData.exitMap) world.exits.slots[0] = {mapData.exitMap, int16_t(mapData.exitX), int16_t(mapData.exitY)};
  runTriggersMark = (mapData.flags & MapDataDoTriggers) != 0;
  mapLoadType = 0;
  arrivalMark = true;
  mapData.flags |= MapDataInitDone;
  if (hooks_.mapStarted) hooks_.mapStarted();
}

std::string CGame::MapFileText() const {
  std::string s = FileHeader;
  s += SaveMapGameDataText(mapData);
  if (creatures) s += SaveCreatureListText(*creatures);
  if (vehicles) s += SaveVehicleListText(*vehicles, scenario.defs.items.get());
  if (items) s += SaveItemListText(*items, scenario.defs.items.get());
  return s;
}

int CGame::LeaveMap(bool autosave) {
  if (!map) return 1;
  bool save = true, buffer = true;
  if (mapData.condBuffer) {
    if (condBufferRequest) save = false;
    else buffer = mapData.condBuffer == 2;
  }
  if ((autosave || save) && mapData.save) {
    if (!SaveGame()) {
      PrintLine("ERROR: Failed to save game");
      return 0;
    }
  }
  if (!buffer || !currentGroup) return 1;
  if (mapData.fileBuffer) {
    std::string path = GroupBufferDir(currentGroup) + "\\" + MapDataFileName(mapNumber);
    std::string text = FileHeader;
    text += SaveCreatureListText(*creatures);
    text += SaveVehicleListText(*vehicles, scenario.defs.items.get());
    text += SaveItemListText(*items, scenario.defs.items.get());
    if (!AWriteFileAtomic(path, text)) PrintLine("ERROR: Failed to buffer map");
  }
  if (mapData.memoryBuffer) {
    DebugPrintLine("Memory buffering map %d", mapNumber);
    auto snap = std::make_unique<MapSnapshot>();
    snap->map = std::move(map);
    snap->data = mapData;
    snap->qmap = std::move(qmap);
    snap->overlay = std::move(overlay);
    snap->creatures = std::move(creatures);
    snap->locations = std::move(locations);
    snap->vehicles = std::move(vehicles);
    snap->items = std::move(items);
    snap->saveBMap = saveBMap;
    memoryBuffer[mapNumber] = std::move(snap);
  }
  return 1;
}

int CGame::LoadMapOrReturn(uint16_t target, uint16_t from, int fromX, int fromY) {
  if (LoadMap(target)) return 1;
  if (from && from != target && LoadMap(from)) {
    if (fromX >= 0 && fromX < map->Width()) playerX = fromX;
    if (fromY >= 0 && fromY < map->Height()) playerY = fromY;
    if (CMapView* v = View()) v->Move(playerX, playerY, facing);
    redrawPending = true;
  }
  return 0;
}

int CGame::ChangeMap(uint16_t m, int x, int y, bool keepFacing) {
  if (m != 0 && m != mapNumber) {
    RunScript(ScriptExit, mapData.exitScript);
    if (!LeaveMap(false)) return 0;
    if (!(mapData.flags & MapDataNoExitMapIsc)) securityArmed = true;
    int keptFacing = facing;
    if (!LoadMapOrReturn(m, mapNumber, playerX, playerY)) return 0;
    if (keepFacing) facing = keptFacing;
    mapLoadType = 3;
    if (x >= 0 && x < map->Width()) playerX = x;
    if (y >= 0 && y < map->Height()) playerY = y;
    if (CMapView* v = View()) v->Move(playerX, playerY, facing);
    RunScript(ScriptStart, mapData.startScript);
    redrawPending = true;
  } else {
    if (x >= 0 && map && x < map->Width()) playerX = x;
    if (y >= 0 && map && y < map->Height()) playerY = y;
    if (CMapView* v = View()) v->Move(playerX, playerY, facing);
    redrawPending = true;
  }
  if (pc) {
    pc->body.x = int16_t(playerX);
    pc->body.y = int16_t(playerY);
    pc->body.facing = uint8_t(facing);
  }
  return 1;
}
