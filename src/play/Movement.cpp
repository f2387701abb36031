// Moving the player: steps, map borders, collision shifts, the debug move,
// passing and jumping.
#include "play/Game.h"
#include "scenario/RuleTables.h"
#include "text/Output.h"

namespace {
const char* const DirectionWords[4] = {"NORTH", "EAST", "SOUTH", "WEST"};
// The border entries of the four sides (N, E, S, W).
const int SideBorder[4] = {BorderN, BorderE, BorderS, BorderW};

const int ShiftOrder[8][8][2] = {
    {{0, 1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}, {0, -1}, {-1, -1}, {1, -1}},
    {{-1, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, 0}, {1, -1}, {1, 1}},
    {{0, -1}, {1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {0, 1}, {1, 1}, {-1, 1}},
    {{1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 0}, {-1, 1}, {-1, -1}},
    {{0, 1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {0, -1}, {1, -1}, {-1, -1}},
    {{-1, 0}, {0, 1}, {0, -1}, {-1, 1}, {-1, -1}, {1, 0}, {1, 1}, {1, -1}},
    {{0, -1}, {-1, 0}, {1, 0}, {-1, -1}, {1, -1}, {0, 1}, {-1, 1}, {1, 1}},
    {{1, 0}, {0, -1}, {0, 1}, {1, -1}, {1, 1}, {-1, 0}, {-1, -1}, {-1, 1}},
};

int Wrap(int v, int n) { return n > 0 ? ((v % n) + n) % n : 0; }
}  // namespace

int CGame::CollisionShift(int& x, int& y, int type) {
  if (type == 0) return 1;
  if (type < 1 || type > 8) {
    PrintLine("ERROR (CollisionShift): Invalid type %d", type);
    return 0;
  }
  for (const auto& d : ShiftOrder[type - 1]) {
    int nx = x + d[0], ny = y + d[1];
    if (!map || nx < 0 || ny < 0 || nx >= map->Width() || ny >= map->Height()) continue;
    if (CellBlocked(nx, ny)) continue;
    x = nx;
    y = ny;
    return 1;
  }
  return 1;
}

int CGame::BorderCollisionShift(int& x, int& y, int type, int side) {
  if (side < 0 || side > 5) {
    PrintLine("ERROR (BorderCollisionShift): Invalid border %d", side);
    return 0;
  }
  if (type < 0 || type > 8) {
    PrintLine("ERROR (BorderCollisionShift): Invalid type %d", type);
    return 0;
  }
  if (side >= 4 || type == 0) return 1;
  int turned = type <= 4 ? ((type + side - 1) % 4) + 1 : ((type + side - 5) % 4) + 5;
  return CollisionShift(x, y, turned);
}

// Brings the arrival cell inside the new map: on the side that was
// overstepped it goes to the near edge (or the far one where that edge
// wraps), and on both axes it never leaves the map.
int CGame::ClampArrival(int side) {
  int w = map->Width(), h = map->Height();
  (void)side;
  if (playerX < 0) playerX = map->Wraps(BorderW) ? w - 1 : 0;
  else if (playerX >= w) playerX = map->Wraps(BorderE) ? 0 : w - 1;
  if (playerY < 0) playerY = map->Wraps(BorderN) ? h - 1 : 0;
  else if (playerY >= h) playerY = map->Wraps(BorderS) ? 0 : h - 1;
  return 1;
}

int CGame::BorderMove(int& x, int& y, int side, bool interactive) {
  const MapBorder* b = map ? map->Border(SideBorder[side & 3]) : nullptr;
  int type = b ? int(b->action) : int(BorderActionBlocked);
  if (type == BorderActionBlocked) {
    if (b && b->hasMessage) {
      PrintNewLine();
      PrintLine("%s", b->message.c_str());
    } else {
      PrintLine(viewMode == 2 ? "--BLOCKED!" : "--INVALID MOVE!");
    }
    PlaySound(3);
    CommandPrompt();
    return 1;
  }
  if (type > BorderActionLinkWrap) {
    PrintLine("ERROR (BorderMove): Invalid border type %d", type);
    return 0;
  }
  int w = map->Width(), h = map->Height();
  if (type == BorderActionWrap) {
    if (b->hasMessage) {
      PrintNewLine();
      PrintLine("%s", b->message.c_str());
    }
    x = Wrap(x, w);
    y = Wrap(y, h);
    return 2;
  }
  uint16_t link = b->targetMap;
  int nx = x, ny = y;
  if (type == BorderActionExit) {
    // Back to where this map was entered: the exit stack's deepest slot.
    const ExitSlot* slot = world.exits.Peek();
    if (!slot) {
      PrintLine("ERROR (BorderMove): Link map undefined");
      return 0;
    }
    link = slot->map;
    nx = slot->x + b->x;
    ny = slot->y + b->y;
    if (b->x == 0 && b->y == 0) world.borderDir = uint8_t((world.borderDir + 2) % 4);
  } else if (type == BorderActionLink) {
    nx = b->x;
    ny = b->y;
  }
  if (link == 0) {
    PrintLine("ERROR (BorderMove): Link map undefined");
    return 0;
  }
  if (interactive) {
    PrintNewLine();
    Print("Are you sure you wish to exit? ");
    if (!AskYesNo()) {
      CommandPrompt();
      return 1;
    }
  }
  RunScript(ScriptExit, mapData.exitScript);
  std::string message = b->hasMessage ? b->message : std::string();
  uint8_t arrivalFacing = b->facing;
  uint8_t shift = b->collisionShift ? b->collisionShift : map->collisionShift;
  uint8_t flags = b->flags;
  const int b_x = b->x, b_y = b->y;
  bool armSecurity = !(mapData.flags & MapDataNoExitMapIsc);
  if (!LeaveMap(false)) return 0;
  if (type == BorderActionExit) world.exits.ClearDeepest();
  securityArmed = armSecurity;
  int keptFacing = facing;
  if (!LoadMapOrReturn(link, mapNumber, playerX, playerY)) return 0;
  facing = keptFacing;
  if (type == BorderActionLinkWrap) {
    // Wrapped onto the link map's own size, so that maps of different
    // sizes join edge to edge.
    nx = (side == 1 ? 0 : side == 3 ? map->Width() - 1 : x) + b_x;
    ny = (side == 2 ? 0 : side == 0 ? map->Height() - 1 : y) + b_y;
  }
  playerX = nx;
  playerY = ny;
  ClampArrival(side);
  if (interactive && CellBlocked(playerX, playerY)) {
    int sx = playerX, sy = playerY;
    if (BorderCollisionShift(sx, sy, shift, side)) {
      playerX = sx;
      playerY = sy;
    }
  }
  if (viewMode == 2 && arrivalFacing != KeepFacing) facing = arrivalFacing & 3;
  howArrived = uint8_t(side + 1);
  if (CMapView* v = View()) {
    if (!v->Move(playerX, playerY, facing)) {
      PrintLine("ERROR: Display move failed");
      return 0;
    }
  }
  if (!message.empty()) PrintLine("%s", message.c_str());
  PlaySound(2);
  redrawPending = true;
  RunScript(ScriptStart, mapData.startScript);
  if (flags & BorderCrFirstTurn) creaturesFirstTurn = true;
  mapLoadType = (flags & BorderDoTriggers) ? 4 : 3;
  if (pc) {
    pc->body.x = int16_t(playerX);
    pc->body.y = int16_t(playerY);
  }
  if (!EndTurn()) return 0;
  return 1;
}

int CGame::MovePlayer(int dx, int dy) {
  int tx = playerX + dx, ty = playerY + dy;
  int dir = dy < 0 ? 0 : dx > 0 ? 1 : dy > 0 ? 2 : 3;
  int windDelay = 0;
  if (pc && pc->vehicle && pc->vehicle->def && pc->vehicle->def->wind && currentWind) {
    int wt = pc->vehicle->def->wind;
    if ((wt == 1 || wt == 3) && currentWind == 5) return 3;
    if (wt == 2 && (currentWind == 5 || dir == currentWind - 1)) return 3;
    if ((wt == 1 || wt == 3) && dir == currentWind - 1) windDelay = 1;
  }
  world.borderDir = uint8_t(dir);
  if (tx < 0 || ty < 0 || tx >= map->Width() || ty >= map->Height()) {
    int side = tx < 0 ? 3 : tx >= map->Width() ? 1 : ty < 0 ? 0 : 2;
    int r = BorderMove(tx, ty, side, true);
    if (r != 2) return r;
  }
  if (CellBlocked(tx, ty)) return 3;
  if (CMapView* v = View()) {
    if (!v->Move(tx, ty, facing)) {
      PrintLine("ERROR: Display move failed");
      return 0;
    }
  }
  playerX = tx;
  playerY = ty;
  if (pc) {
    pc->body.x = int16_t(tx);
    pc->body.y = int16_t(ty);
  }
  howArrived = uint8_t(dir + 1);
  redrawPending = true;
  if (scenario.terrainInfo) {
    int cap = Capability();
    int cell = CellTerrain(tx, ty);
    int delay = cell >= 0 ? TerrainDelay(scenario.terrainInfo.get(), uint16_t(cap), uint16_t(cell)) : 0;
    if (const QEntry* top = qmap->Top(tx, ty)) {
      int t = ObjectTerrain(top->kind, top->id);
      if (t >= 0) {
        int od = TerrainDelay(scenario.terrainInfo.get(), uint16_t(cap), uint16_t(t));
        bool noBase = top->kind == KindLocation && locations->Get(top->id) && locations->Get(top->id)->def &&
                      (locations->Get(top->id)->def->flags & LocationNoBaseTile);
        if (od > delay || noBase) delay = od;
      }
    }
    delay += windDelay;
    if (delay) {
      extraDelay += delay;
      Print("--SLOW MOVEMENT!");
    }
  }
  return 2;
}

int CGame::OverheadMove(int dx, int dy, const char* word) {
  if (debugMove && viewMode == 1) return DebugMove(dx, dy);
  if (!playerMayAct) return 1;
  Print("%s", word);
  if (pc && pc->body.moveImmobile) {
    PrintNewLine();
    if (verbosity >= 2) PrintLine("Can't move (legs paralyzed)");
    PlaySound(3);
    CommandPrompt();
    return 1;
  }
  int r = MovePlayer(dx, dy);
  if (r == 0) return 0;
  if (r == 1) return 1;
  if (r == 2) {
    PrintNewLine();
    PlaySound(viewMode == 2 ? 0 : 2);
    return EndTurn();
  }
  PrintLine(viewMode == 2 ? "--BLOCKED!" : "--INVALID MOVE!");
  PlaySound(3);
  CommandPrompt();
  return 1;
}

int CGame::FirstPersonTurn(int delta) {
  if (!playerMayAct) return 1;
  PrintLine(delta < 0 ? "LEFT" : "RIGHT");
  if (pc && pc->body.moveImmobile) {
    if (verbosity > 1) PrintLine("Can't move (legs paralyzed)");
    PlaySound(3);
    CommandPrompt();
    return 1;
  }
  facing = Wrap(facing + delta, 4);
  if (pc) pc->body.facing = uint8_t(facing);
  if (debugMove) PrintLine("DBG: Position: %d %d, Facing: %s", playerX, playerY, DirectionWords[facing]);
  if (CMapView* v = View()) {
    if (!v->Move(playerX, playerY, facing)) {
      PrintLine("ERROR: Display move failed");
      return 0;
    }
  }
  if (scenario.config.fpTurningFree || debugMove) {
    if (!RedrawAll()) return 0;
    CommandPrompt();
    return 1;
  }
  redrawPending = true;
  return EndTurn();
}

int CGame::DebugMove(int dx, int dy) {
  int dir = dy < 0 ? 0 : dx > 0 ? 1 : dy > 0 ? 2 : 3;
  PrintLine("%s", DirectionWords[dir]);
  playerX = Wrap(playerX + dx, map->Width());
  playerY = Wrap(playerY + dy, map->Height());
  if (CMapView* v = View()) v->Move(playerX, playerY, facing);
  if (pc) {
    pc->body.x = int16_t(playerX);
    pc->body.y = int16_t(playerY);
  }
  PrintLine("DBG: Position: %d %d, Facing: %s", playerX, playerY, DirectionWords[facing & 3]);
  if (!RedrawAll()) return 0;
  CommandPrompt();
  return 1;
}

int CGame::Pass() {
  if (!playerMayAct) return 1;
  PrintLine("PASS");
  howArrived = 0;
  if (debugMove) PrintLine("DBG: Position: %d %d, Facing: %s", playerX, playerY, DirectionWords[facing & 3]);
  return EndTurn();
}

int CGame::Jump() {
  if (!playerMayAct) return 1;
  PrintLine("JUMP...WHEE...");
  return EndTurn();
}
