// Using map locations: Enter, Klimb and Descend, and the move a location
// makes (link types 1 to 6).
#include "play/Game.h"
#include "text/Output.h"

namespace {
const char* LocationName(const LocationObject& loc) {
  if (loc.name) return loc.name->c_str();
  if (loc.def && loc.def->name) return loc.def->name->c_str();
  return "";
}

// The border entry of the side a player arrives over after stepping in
// direction `dir` (north steps arrive over the south edge).
const int OppositeBorder[4] = {BorderS, BorderW, BorderN, BorderE};
}  // namespace

uint16_t CGame::LocationHere() const {
  if (!qmap) return 0;
  for (const QEntry& e : qmap->Stack(playerX, playerY))
    if (e.kind == KindLocation) return e.id;
  return 0;
}

int CGame::ShowArrival(const LocationObject& loc) {
  if (!loc.def) return 1;
  if (loc.def->afterMessage && (!(loc.def->flags & LocationAMessageDark) || dark)) {
    PrintLines(loc.def->afterMessage->c_str());
    PrintNewLine();
  }
  return 1;
}

int CGame::UseLocation(uint16_t id) { return UseLocationWith(id, 0, 0); }

int CGame::UseLocationWith(uint16_t id, uint16_t defaultMap, uint8_t defaultType) {
  LocationObject* loc = locations ? locations->Get(id) : nullptr;
  if (!loc) return 0;
  if (loc->script) {
    int state = RunScript(ScriptLocation, loc->script);
    if (state >= 1 && state <= 3) return 1;
    // A script may change the lists: look the location up again.
    loc = locations ? locations->Get(id) : nullptr;
    if (!loc) return 1;
  }
  RunScript(ScriptExit, mapData.exitScript);
  loc = locations ? locations->Get(id) : nullptr;
  if (!loc) return 1;
  if (loc->def && loc->def->beforeMessage) {
    PrintLines(loc->def->beforeMessage->c_str());
    PrintNewLine();
  }
  // Everything the move needs is copied now: the location belongs to the
  // map that is about to be left.
  const LocationObject l = [&] {
    LocationObject copy;
    copy.id = loc->id;
    copy.x = loc->x;
    copy.y = loc->y;
    copy.def = loc->def;
    copy.entryType = loc->entryType;
    copy.destMap = loc->destMap;
    copy.destX = loc->destX;
    copy.destY = loc->destY;
    copy.destFacing = loc->destFacing;
    copy.collisionShift = loc->collisionShift;
    copy.positionMode = loc->positionMode;
    copy.facingMode = loc->facingMode;
    copy.flags = loc->flags;
    copy.message = loc->message;
    copy.triggerFlag = loc->triggerFlag;
    copy.autosaveFlag = loc->autosaveFlag;
    copy.linkedObject = loc->linkedObject;
    return copy;
  }();
  int link = l.entryType ? l.entryType : (l.def && l.def->entryType ? l.def->entryType : 0);
  if (!link) link = defaultType ? defaultType : 1;
  uint16_t target = l.destMap ? l.destMap : defaultMap;

  if (link == 1 && (target == 0 || target == mapNumber)) {
    int x = l.destX < 0 ? playerX : l.destX;
    int y = l.destY < 0 ? playerY : l.destY;
    if (x >= map->Width()) {
      PrintLine("ERROR (Use Location): X position %d out of bounds", x);
      return 0;
    }
    if (y >= map->Height()) {
      PrintLine("ERROR (Use Location): Y position %d out of bounds", y);
      return 0;
    }
    playerX = x;
    playerY = y;
    if (l.destFacing != 255) facing = l.destFacing & 3;
    if (CMapView* v = View(); v && !v->Move(playerX, playerY, facing)) {
      PrintLine("ERROR (Use Location): Display move failed (%d, %d)", playerX, playerY);
      return 0;
    }
    if (!RedrawAll()) {
      PrintLine("ERROR (Use Location): Redraw failed");
      return 0;
    }
    if (pc) {
      pc->body.x = int16_t(playerX);
      pc->body.y = int16_t(playerY);
    }
    ShowArrival(l);
    return 1;
  }

  bool setPos = true, setFacing = true;
  int x = playerX, y = playerY, f = facing;
  const ExitSlot* exitSlot = nullptr;
  switch (link) {
    case 1:
      x = l.destX < 0 ? playerX : l.destX;
      y = l.destY < 0 ? playerY : l.destY;
      f = l.destFacing == 255 ? facing : l.destFacing;
      break;
    case 2:
      break;
    case 3:
      exitSlot = world.exits.Peek();
      target = exitSlot ? exitSlot->map : 0;
      if (exitSlot) {
        x = exitSlot->x;
        y = exitSlot->y;
      }
      break;
    case 4:
    case 5:
    case 6:
      setPos = setFacing = false;  // decided on the new map
      break;
    default:
      PrintLine("ERROR (Use Location): Invalid link type %d", link);
      return 0;
  }
  if (target == 0) {
    if (l.message) {
      PrintLine("%s", l.message->c_str());
      return 1;
    }
    PrintLine("ERROR (Use Location): Illegal link map value 0");
    return 0;
  }
  if (link != 3 && link < 4) {
    switch (l.positionMode) {
      case 1: x = l.destX; y = l.destY; break;
      case 2: x = playerX + l.destX; y = playerY + l.destY; break;
      case 3: x = playerX; y = playerY; break;
      case 4: setPos = false; break;
      default: break;
    }
    switch (l.facingMode) {
      case 1: f = l.destFacing == 255 ? facing : l.destFacing; break;
      case 3: f = facing; break;
      case 4: setFacing = false; break;
      default: break;
    }
  }

  bool pushExit = (l.flags & 1) || (l.def && (l.def->flags & LocationEnter)) || link == 2 || link == 5;
  bool clearExit = (l.flags & 2) || link == 3;
  uint16_t fromMap = mapNumber;
  int fromX = playerX, fromY = playerY;
  bool armSecurity = !(mapData.flags & MapDataNoExitMapIsc);
  if (!LeaveMap(l.autosaveFlag != 0)) return 0;
  if (clearExit) world.exits.ClearDeepest();
  if (pushExit) world.exits.Push(fromMap, int16_t(fromX), int16_t(fromY));
  securityArmed = armSecurity;
  int keptFacing = facing;
  if (!LoadMapOrReturn(target, fromMap, fromX, fromY)) {
    PrintLine("ERROR (Use Location): Load/apply map failed");
    return 0;
  }
  facing = keptFacing;

  int side = world.borderDir;
  if (link == 4) {
    const StairBorder* stair = side == 4 ? map->downBorder.get() : side == 5 ? map->upBorder.get() : nullptr;
    const MapBorder* border = side >= 0 && side < 4 ? map->Border(OppositeBorder[side]) : nullptr;
    if (border) {
      x = border->entryX;
      y = border->entryY;
      setPos = true;
      if (border->facing != KeepFacing) f = border->facing, setFacing = true;
    } else if (stair && stair->x >= 0 && stair->y >= 0) {
      x = stair->x;
      y = stair->y;
      setPos = true;
    }
    if (mapData.startString) ProcessMapStartString(*mapData.startString, side);
  } else if (link == 5 && side < 4) {
    for (int i = 0; i < 4; ++i) {
      int s = (side + 2 + i) % 4;
      const MapBorder* border = map->Border(OppositeBorder[(s + 2) % 4]);
      if (!border) continue;
      int bx = int16_t(border->entryX), by = int16_t(border->entryY);
      if (bx < 0 || by < 0) continue;
      int t = CellTerrain(bx, by);
      if (t >= 0 && CheckTerrainFor(t)) continue;
      x = bx;
      y = by;
      setPos = true;
      break;
    }
  } else if (link == 6) {
    const LocationObject* dest = locations ? locations->Get(l.linkedObject) : nullptr;
    if (!dest) {
      PrintLine("ERROR (Use Location): Destination object undefined");
      return 0;
    }
    x = dest->x;
    y = dest->y;
    setPos = true;
    if (l.destFacing != 255) f = l.destFacing, setFacing = true;
  }

  if (setPos) {
    // Positions beyond the map on either axis, or below 0 (an added offset
    // that went negative), come back to the edge.
    if (x < 0 || x >= map->Width()) {
      PrintLine("WARNING (Use Location): X position %d out of bounds, using 0 instead", x);
      x = 0;
    }
    if (y < 0 || y >= map->Height()) {
      PrintLine("WARNING (Use Location): Y position %d out of bounds, using 0 instead", y);
      y = 0;
    }
    if (link != 3 && CellBlocked(x, y) && map->altX >= 0 && map->altY >= 0 && map->altX < map->Width() &&
        map->altY < map->Height() && !CellBlocked(map->altX, map->altY)) {
      x = map->altX;
      y = map->altY;
      if (map->altFacing != KeepFacing) f = map->altFacing, setFacing = true;
    }
    if (l.collisionShift && CellBlocked(x, y)) {
      int ok = (link == 4 || link == 5) ? BorderCollisionShift(x, y, l.collisionShift, side)
                                        : CollisionShift(x, y, l.collisionShift);
      if (!ok) {
        PrintLine("ERROR (Use Location): Collision shift failed");
        return 0;
      }
    }
    playerX = x;
    playerY = y;
  }
  if (setFacing) facing = f & 3;
  if ((setPos || setFacing) && View()) {
    if (!View()->Move(playerX, playerY, facing)) {
      PrintLine("ERROR (Use Location): Display move failed (%d, %d)", playerX, playerY);
      return 0;
    }
  }
  if (pc) {
    pc->body.x = int16_t(playerX);
    pc->body.y = int16_t(playerY);
    pc->body.facing = uint8_t(facing);
  }
  mapLoadType = (l.triggerFlag || (l.flags & 4)) ? 4 : 3;
  RunScript(ScriptStart, mapData.startScript);
  if (!RedrawAll()) return 0;
  ShowArrival(l);
  if (l.flags & 4) {
    mapLoadType = 4;
    world.borderDir = 255;
    if (hooks_.positionTriggers) hooks_.positionTriggers();
  }
  return 1;
}

int CGame::Enter() {
  if (!playerMayAct) return 1;
  Print("ENTER");
  uint16_t id = LocationHere();
  LocationObject* loc = id ? locations->Get(id) : nullptr;
  if (!loc || !loc->def) return Refuse(" WHAT?");
  if (pc && pc->vehicle && !(loc->def->flags & LocationVehicles)) return Refuse("-ONLY ON FOOT!");
  int kind = loc->def->subtype;
  if (kind == 0 || kind == 1) {
    PrintLine("-%s", LocationName(*loc));
    int r = UseLocation(id);
    if (r == 0) return 0;
    if (r == 2) {
      CommandPrompt();
      return 1;
    }
    howArrived = 7;
    return EndTurn();
  }
  if (kind == 6) {
    PrintLine("-The sign reads:");
    const OwnedText& text = loc->message ? loc->message : loc->def->beforeMessage ? loc->def->beforeMessage
                                                                                   : loc->def->look;
    if (text) PrintLines(text->c_str());
    PrintNewLine();
    return EndTurn();
  }
  return Refuse(" WHAT?");
}

int CGame::KlimbDescend(bool descend) {
  if (!playerMayAct) return 1;
  Print(descend ? "DESCEND" : "KLIMB");
  uint16_t id = LocationHere();
  LocationObject* loc = id ? locations->Get(id) : nullptr;
  if (!loc || !loc->def) return Refuse("-WHAT?");
  if (pc && pc->vehicle && !(loc->def->flags & LocationVehicles)) return Refuse("-ONLY ON FOOT!");
  int kind = loc->def->subtype;
  bool fits = kind == 5 || (descend ? kind == 3 : kind == 2);
  if (!fits) return Refuse("-WHAT?");
  PrintLine("-%s", LocationName(*loc));
  uint16_t defaultMap = descend ? mapData.downMap : mapData.upMap;
  uint8_t defaultType = descend ? mapData.downType : mapData.upType;
  const StairBorder* stair = descend ? map->downBorder.get() : map->upBorder.get();
  if (!defaultMap && stair) defaultMap = stair->targetMap;
  if (stair && stair->exit) world.exits.ClearDeepest();
  if (stair && stair->buffering) condBufferRequest = true;
  world.borderDir = uint8_t(descend ? 5 : 4);
  int r = UseLocationWith(id, defaultMap, defaultType);
  if (r == 0) return 0;
  if (r == 2) {
    CommandPrompt();
    return 1;
  }
  howArrived = descend ? 6 : 5;
  world.borderDir = uint8_t(descend ? 5 : 4);
  return EndTurn();
}
