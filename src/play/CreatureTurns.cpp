// One creature's action in a world turn: its target, its attack, its step
// by one of the movement rules, wandering and merchants' hovering.
#include "play/CreatureTurns.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/SightLines.h"
#include "graphics/TileSet.h"
#include "play/Combat.h"
#include "play/Game.h"
#include "platform/RandomInt.h"
#include "scenario/Keywords.h"
#include "text/Output.h"

namespace {

int Sign(int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

bool BorderWraps(const CGame& game, int side) { return game.map && game.map->Wraps(side); }

// A true modulo: the result is always 0..n-1.
int Mod(int v, int n) {
  int r = v % n;
  return r < 0 ? r + n : r;
}

// Brings a cell outside the map back across a wrapping border (per axis,
// whatever the distance); false when the cell stays outside.
bool WrapCell(const CGame& game, int& x, int& y) {
  const int w = game.map->Width(), h = game.map->Height();
  if (x < 0) {
    if (!BorderWraps(game, BorderW)) return false;
    x = Mod(x, w);
  } else if (x >= w) {
    if (!BorderWraps(game, BorderE)) return false;
    x = Mod(x, w);
  }
  if (y < 0) {
    if (!BorderWraps(game, BorderN)) return false;
    y = Mod(y, h);
  } else if (y >= h) {
    if (!BorderWraps(game, BorderS)) return false;
    y = Mod(y, h);
  }
  return true;
}

int CellTerrainAt(const CGame& game, int x, int y) {
  uint16_t id = game.map->Tile(x, y);
  if (!id || !game.displays_.tiles) return -1;
  const CTile* t = game.displays_.tiles->Find(id);
  return t ? t->terrain : -1;
}

bool TerrainBlocks(const CGame& game, int terrain, int cap) {
  if (terrain < 0) return cap != CapabilityAll;
  return CheckTerrain(game.scenario.terrainGroups.get(), uint16_t(terrain), uint16_t(cap));
}

bool LineBlockedBetween(CGame& game, int x1, int y1, int x2, int y2) {
  if (!game.map || !game.displays_.tiles) return false;
  int result = LineClear;
  CheckMapLine(&result, *game.map, *game.displays_.tiles, x1, y1, x2, y2);
  return result == LineBlocked;
}

void ReportOnce(CGame& game, const CreatureObject& n, const char* what, int value) {
  auto& seen = game.turn.reportedFaults;
  if (std::find(seen.begin(), seen.end(), n.id) != seen.end()) return;
  seen.push_back(n.id);
  PrintLine(what, value);
}

struct Target {
  CreatureObject* creature = nullptr;
  bool pc = false;
  int x = 0, y = 0;
};

// Whether creature D on top of a cell is a target for N (the player's
// cell has been tried before).
bool CreatureIsTarget(const CreatureObject& n, const CreatureObject& d) {
  if (&d == &n) return false;
  const uint8_t at = n.attackTarget, dt = d.attackTarget;
  const bool nDefender = n.behaviour & BehaviourDefender, dDefender = d.behaviour & BehaviourDefender;
  if (at & TargetAll) return !(dt & TargetAll);
  if (((at & TargetDefenders) && dDefender) || ((at & (TargetPCs | TargetAll)) && IsAlly(d))) return true;
  if (n.targetGroup && d.groupId == n.targetGroup) return true;
  if (!IsHostileState(d.state)) return false;
  return (dt & TargetAll) || (nDefender && (dt & TargetDefenders)) || (IsAlly(n) && (dt & TargetPCs));
}

// The ring search, in its fixed order: for k = 1, 2, ... the four cells
// straight north, east, south and west at distance k, then the ring at
// distance k side by side (north side eastwards from its west corner, east
// side southwards, south side westwards, west side northwards). Cells
// beyond a border are brought back by a true modulo per axis when that
// border wraps, so a radius larger than the map stays inside it (cells may
// then come up more than once; a cell that was no target stays none).
//
// Only the player's cell and cells with a creature on top can be targets,
// so each side is walked as runs of map cells along a row or a column, and
// within a run only the cells the stack map marks as having a creature on
// top are looked at, in the run's order.
class RingSearch {
 public:
  RingSearch(CGame& game, const CreatureObject& n, Target& t)
      : q_(*game.qmap), list_(*game.creatures), n_(n), t_(t), w_(q_.Width()), h_(q_.Height()) {
    wrapN_ = BorderWraps(game, BorderN);
    wrapE_ = BorderWraps(game, BorderE);
    wrapS_ = BorderWraps(game, BorderS);
    wrapW_ = BorderWraps(game, BorderW);
    pcHunter_ = (n.attackTarget & (TargetPCs | TargetAll)) && game.pc && q_.Inside(game.playerX, game.playerY);
    px_ = game.playerX;
    py_ = game.playerY;
  }

  bool Run(int r) {
    const int x = n_.x, y = n_.y;
    for (int k = 1; k <= r; ++k) {
      if (x - k >= 0 && x + k < w_ && y - k >= 0 && y + k < h_) {
        // The ring lies inside the map: no cell needs bringing back.
        if (Cell(x, y - k) || Cell(x + k, y) || Cell(x, y + k) || Cell(x - k, y)) return true;
        if (k == 1) {
          // The first ring's sides hold only the corners besides the
          // straight cells: north-west, north-east, south-east, south-west.
          if (Cell(x - 1, y - 1) || Cell(x + 1, y - 1) || Cell(x + 1, y + 1) || Cell(x - 1, y + 1)) return true;
          continue;
        }
        if (RowRun(y - k, x - k, x + k - 1, 1) || ColumnRun(x + k, y - k, y + k - 1, 1) ||
            RowRun(y + k, x - k + 1, x + k, -1) || ColumnRun(x - k, y - k + 1, y + k, -1))
          return true;
        continue;
      }
      if (Probe(x, y - k) || Probe(x + k, y) || Probe(x, y + k) || Probe(x - k, y)) return true;
      // Each side is 2k cells from its corner; the middle cell was probed
      // above already and comes up again harmlessly.
      if (RowSide(y - k, x - k, 2 * k, 1) || ColumnSide(x + k, y - k, 2 * k, 1) ||
          RowSide(y + k, x + k, 2 * k, -1) || ColumnSide(x - k, y + k, 2 * k, -1))
        return true;
    }
    return false;
  }

 private:
  bool PC(int cx, int cy) {
    t_.pc = true;
    t_.creature = nullptr;
    t_.x = cx;
    t_.y = cy;
    return true;
  }

  bool CreatureAt(int cx, int cy) {
    const QEntry& entry = q_.EntryAt(q_.TopAt(size_t(cy) * size_t(w_) + size_t(cx)));
    CreatureObject* d = list_.Get(entry.id);
    if (!d || !CreatureIsTarget(n_, *d)) return false;
    t_.creature = d;
    t_.x = cx;
    t_.y = cy;
    return true;
  }

  // Brings one coordinate into the map across a wrapping border; false when
  // it stays outside.
  static bool Fold(int& c, int size, bool wrapLow, bool wrapHigh) {
    if (unsigned(c) < unsigned(size)) return true;
    if (c < 0 ? !wrapLow : !wrapHigh) return false;
    c = Mod(c, size);
    return true;
  }

  // A cell inside the map.
  bool Cell(int cx, int cy) {
    if (pcHunter_ && cx == px_ && cy == py_) return PC(cx, cy);
    return q_.CreatureOnTop(cx, cy) && CreatureAt(cx, cy);
  }

  bool Probe(int cx, int cy) {
    return Fold(cx, w_, wrapW_, wrapE_) && Fold(cy, h_, wrapN_, wrapS_) && Cell(cx, cy);
  }

  // Cells from..to of row `row` (inside the map) in the direction `dir`; the
  // player's cell counts before a creature on the same cell.
  [[gnu::always_inline]] bool RowRun(int row, int from, int to, int dir) {
    const bool pcIn = pcHunter_ && py_ == row && px_ >= from && px_ <= to;
    if (dir > 0) {
      const int end = pcIn ? px_ - 1 : to;
      for (int c = from; c <= end && (c = q_.NextCreatureTopInRow(row, c, end)) >= 0; ++c)
        if (CreatureAt(c, row)) return true;
    } else {
      const int end = pcIn ? px_ + 1 : from;
      for (int c = to; c >= end && (c = q_.PrevCreatureTopInRow(row, end, c)) >= 0; --c)
        if (CreatureAt(c, row)) return true;
    }
    return pcIn && PC(px_, row);
  }

  [[gnu::always_inline]] bool ColumnRun(int column, int from, int to, int dir) {
    const bool pcIn = pcHunter_ && px_ == column && py_ >= from && py_ <= to;
    if (dir > 0) {
      const int end = pcIn ? py_ - 1 : to;
      for (int c = from; c <= end && (c = q_.NextCreatureTopInColumn(column, c, end)) >= 0; ++c)
        if (CreatureAt(column, c)) return true;
    } else {
      const int end = pcIn ? py_ + 1 : from;
      for (int c = to; c >= end && (c = q_.PrevCreatureTopInColumn(column, end, c)) >= 0; --c)
        if (CreatureAt(column, c)) return true;
    }
    return pcIn && PC(column, py_);
  }

  // Walks `count` cells from coordinate `start` in direction `dir` along an
  // axis of `size` cells, as runs that lie inside the map; `run` scans one.
  template <typename RunFn>
  static bool Walk(int start, int count, int dir, int size, bool wrapLow, bool wrapHigh, RunFn run) {
    int c = start;
    while (count > 0) {
      int n;
      if (unsigned(c) < unsigned(size) || (c < 0 ? wrapLow : wrapHigh)) {
        const int m = Mod(c, size);
        n = std::min(count, dir > 0 ? size - m : m + 1);
        if (dir > 0 ? run(m, m + n - 1) : run(m - n + 1, m)) return true;
      } else if (c < 0) {
        if (dir < 0) return false;  // stays beyond the west or north border
        n = std::min(count, -c);
      } else {
        if (dir > 0) return false;  // stays beyond the east or south border
        n = std::min(count, c - size + 1);
      }
      c += dir * n;
      count -= n;
    }
    return false;
  }

  bool RowSide(int row, int start, int count, int dir) {
    if (!Fold(row, h_, wrapN_, wrapS_)) return false;
    return Walk(start, count, dir, w_, wrapW_, wrapE_,
                [&](int from, int to) { return RowRun(row, from, to, dir); });
  }

  bool ColumnSide(int column, int start, int count, int dir) {
    if (!Fold(column, w_, wrapW_, wrapE_)) return false;
    return Walk(start, count, dir, h_, wrapN_, wrapS_,
                [&](int from, int to) { return ColumnRun(column, from, to, dir); });
  }

  const QMap& q_;
  const CreatureList& list_;
  const CreatureObject& n_;
  Target& t_;
  const int w_, h_;
  bool wrapN_ = false, wrapE_ = false, wrapS_ = false, wrapW_ = false;
  bool pcHunter_ = false;
  int px_ = 0, py_ = 0;
};

bool ClosestTarget(CGame& game, const CreatureObject& n, Target& t) {
  int r = game.turn.findEnemyDist;
  if (n.state == StateHostile && n.aiDistance != 0 && n.aiDistance < r) r = n.aiDistance;
  if (r <= 0 || !game.map || !game.qmap || !game.creatures) return false;
  return RingSearch(game, n, t).Run(r);
}

bool DiagonalAllowed(const CGame& game) { return game.turn.aiDiagonal; }

bool Step(CGame& game, CreatureObject& n, int x, int y) { return NPCMove(game, n, x, y); }

// Blocked terrain for the creature at the (wrapped) cell; used by rule 5.
bool TerrainBlocked(CGame& game, const CreatureObject& n, int x, int y) {
  if (!game.map) return true;
  if (x < 0 || y < 0 || x >= game.map->Width() || y >= game.map->Height())
    if (!WrapCell(game, x, y)) return false;
  return TerrainBlocks(game, CellTerrainAt(game, x, y), n.def ? n.def->terrainCap : 0);
}

int Sidesteps(CGame& game, CreatureObject& n, int adx, int ady, bool remember) {
  const int x = n.x, y = n.y;
  const int bit = RandomInt(0, 1);
  int ax, ay, bx, by;
  if (adx > ady) ax = x, ay = y - 1, bx = x, by = y + 1;
  else ax = x - 1, ay = y, bx = x + 1, by = y;
  if (bit) std::swap(ax, bx), std::swap(ay, by);
  if (Step(game, n, ax, ay) || Step(game, n, bx, by)) {
    if (remember) n.aiDirection = adx > ady ? 2 : 1;
    return 2;
  }
  return 1;
}

// Moves by the current AI move type: 0 error, 1 no step, 2 stepped.
int MoveByRule(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady) {
  const int x = n.x, y = n.y;
  const bool diag = DiagonalAllowed(game);
  switch (game.turn.aiMoveType) {
    case 2:
    case 3: {
      if (diag && Step(game, n, x + sx, y + sy)) return 2;
      const int bit = RandomInt(0, 1);
      if (bit == 0 ? (Step(game, n, x + sx, y) || Step(game, n, x, y + sy))
                   : (Step(game, n, x, y + sy) || Step(game, n, x + sx, y)))
        return 2;
      if (game.turn.aiMoveType == 3) return Sidesteps(game, n, adx, ady, false);
      return 1;
    }
    case 4: return NPCMoveAI4(game, n, sx, sy, adx, ady);
    case 5: return NPCMoveAI5(game, n, sx, sy, adx, ady);
    case 6: return NPCMoveAI6(game, n, sx, sy, adx, ady);
    default:
      if (diag && Step(game, n, x + sx, y + sy)) return 2;
      if (Step(game, n, x + sx, y) || Step(game, n, x, y + sy)) return 2;
      return 1;
  }
}

// Rules 5 and 6 share everything but the terrain test before sidestepping.
int MoveAI56(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady, bool checkTerrain) {
  const int x = n.x, y = n.y;
  bool sidestep = true;
  auto tryStep = [&](int tx, int ty) {
    if (Step(game, n, tx, ty)) return true;
    if (checkTerrain && TerrainBlocked(game, n, tx, ty)) sidestep = false;
    return false;
  };
  if (DiagonalAllowed(game) && tryStep(x + sx, y + sy)) return 2;
  bool verticalFirst;
  if (n.aiDirection != 0) {
    verticalFirst = n.aiDirection == 1;
    n.aiDirection = 0;
  } else {
    verticalFirst = RandomInt(0, 1) == 1;
  }
  if (verticalFirst ? (tryStep(x, y + sy) || tryStep(x + sx, y)) : (tryStep(x + sx, y) || tryStep(x, y + sy)))
    return 2;
  if (checkTerrain && !sidestep && !IsAlly(n)) return 1;
  return Sidesteps(game, n, adx, ady, true);
}

void DirectionStep(int dir, int x, int y, int* tx, int* ty) {
  *tx = x + (dir == 2 ? 1 : dir == 4 ? -1 : 0);
  *ty = y + (dir == 1 ? -1 : dir == 3 ? 1 : 0);
}

int AttackCreatureOrPC(CGame& game, CreatureObject& n, const Target& t, bool ranged) {
  const int v = game.verbosity;
  Fighter a = CreatureFighter(&n);
  Fighter d = t.pc ? PCFighter(game) : CreatureFighter(t.creature);
  if (v == 4) {
    if (t.pc) PrintLine("%s attacks you!", a.Name());
    else PrintLine("%s attacks %s!", a.Name(), d.Name());
  } else if (v == 2 || v == 3) {
    if (t.pc) Print("%s ATTACKS--", a.Name());
    else Print("%s ATTACKS %s--", a.Name(), d.Name());
  }
  (void)ranged;  // the missile picture is drawn by the overhead display's effects
  game.turn.missSound = 6;
  game.turn.hitSound = 7;
  const uint8_t saved = game.verbosity;
  if (v == 1) game.verbosity = 0;
  DoAttack(game, a, d);
  game.verbosity = saved;
  if (!t.pc && t.creature) {
    if (t.creature->state == StateHostile && IsAlly(n)) AlertGroup(game, t.creature->groupId, true);
    CreatureReact(*t.creature);
    const CreatureList* list = game.creatures.get();
    int r = KillRetreatCheck(game, d, &a);
    if (r != 2) return r;
    // A kill script that changed the map leaves this creature behind.
    if (game.creatures.get() != list) return game.playerMayAct ? 2 : 1;
  }
  if (n.def && n.def->attackDelay) n.delay = n.def->attackDelay;
  return game.playerMayAct ? 2 : 1;
}

}  // namespace

void WrapDelta(const CGame& game, int x, int y, int gx, int gy, int* sx, int* sy, int* adx, int* ady) {
  const int w = game.map ? game.map->Width() : 0, h = game.map ? game.map->Height() : 0;
  int dx = gx - x, dy = gy - y;
  *sx = Sign(dx);
  *sy = Sign(dy);
  if (w > 0 && dx >= w / 2 && BorderWraps(game, BorderE)) *sx = -1, dx -= w;
  else if (w > 0 && dx <= -(w / 2) && BorderWraps(game, BorderW)) *sx = 1, dx += w;
  if (h > 0 && dy >= h / 2 && BorderWraps(game, BorderS)) *sy = -1, dy -= h;
  else if (h > 0 && dy <= -(h / 2) && BorderWraps(game, BorderN)) *sy = 1, dy += h;
  *adx = std::abs(dx);
  *ady = std::abs(dy);
}

bool FindClosestTarget(CGame& game, const CreatureObject& n, CreatureObject** found, bool* isPC) {
  Target t;
  if (!ClosestTarget(game, n, t)) return false;
  if (found) *found = t.creature;
  if (isPC) *isPC = t.pc;
  return true;
}

int NPCTurn(CGame& game, CreatureObject& n) {
  if (!n.def || !game.map || !game.qmap) return 2;
  if (n.sleepEffect) return 2;
  if (n.delay) {
    --n.delay;
    return 2;
  }
  bool seeking = false, attackMode = false, retreating = false;
  switch (n.state) {
    case StateInactive:
    case StateStatic: return 2;
    case StateWander: NPCWander(game, n); return 2;
    case StateFollow:
    case StateMerchant:
    case StateTest: break;
    case StateHostile: seeking = true; break;
    case StateEnraged:
    case StateAttack: seeking = attackMode = true; break;
    case StateCornered: n.state = StateRetreat; [[fallthrough]];
    case StateRetreat: seeking = retreating = true; break;
    default:
      // Reported once; the creature is left alone and the turn goes on for
      // every creature after it.
      ReportOnce(game, n, "ERROR (NPCTurn): Invalid creature state %d", n.state);
      return 2;
  }
  Target t;
  if (game.turn.closestTargeting && seeking) {
    if (!ClosestTarget(game, n, t)) {
      if (!(n.attackTarget & (TargetPCs | TargetAll))) return 2;
      t = Target();
      t.pc = true;
    }
  } else {
    t.pc = true;
  }
  if (t.pc) {
    if (!game.pc) return 2;
    t.x = game.playerX;
    t.y = game.playerY;
  } else {
    t.x = t.creature->x;
    t.y = t.creature->y;
  }
  int gx = t.x, gy = t.y;
  if (n.state == StateMerchant) {
    const int hx = n.homeX, hy = n.homeY;
    if (std::abs(t.x - hx) > 2 || std::abs(t.y - hy) > 2) {
      NPCWander(game, n);
      return 2;
    }
    const int a = std::abs(t.x - n.x), b = std::abs(t.y - n.y);
    if ((a <= 2 && b == 0) || (b <= 2 && a == 0)) return 2;
    auto vehicleAt = [&](int x, int y) {
      if (!WrapCell(game, x, y) && (x < 0 || y < 0 || x >= game.map->Width() || y >= game.map->Height()))
        return false;
      const QEntry* top = game.qmap->Top(x, y);
      return top && top->kind == KindVehicle;
    };
    const int cx = n.x + Sign(t.x - n.x), cy = n.y + Sign(t.y - n.y);
    gx = hx;
    gy = hy;
    if (a == 2 && b == 1 && vehicleAt(cx, cy)) gy = t.y;
    else if (b == 2 && a == 1 && vehicleAt(cx, cy)) gx = t.x;
  }
  int sx, sy, adx, ady;
  WrapDelta(game, n.x, n.y, gx, gy, &sx, &sy, &adx, &ady);
  if (n.state == StateMerchant && adx == 0 && ady == 0) return 2;
  if (n.state == StateHostile) {
    const int a = n.aiDistance;
    if (a != 0) {
      if (adx > a || ady > a) return 2;
      if ((n.behaviour & 2) && LineBlockedBetween(game, n.x, n.y, t.x, t.y)) return 2;
      if (n.groupId) AlertGroup(game, n.groupId, true);
    }
    n.state = StateAttack;
    attackMode = true;
  }
  if (n.attackImmobile > 0) attackMode = false;
  bool couldNotAttack = false;
  if (retreating) {
    sx = -sx;
    sy = -sy;
    if (game.scenario.config.aiRetreatType == 0) {
      if (n.retreatCount < 2) ++n.retreatCount;
      else n.retreatCount = 0, n.state = StateEnraged;
    }
  } else if (attackMode) {
    // Special powers need the powers and effects rules; a creature that
    // would use one goes on to its ranged and melee attacks.
    const bool rangedAllowed = game.turn.zoomCombat ? (n.def->behaviour & BehaviourZoomRanged) != 0
                                                    : game.mapData.rangedAttack != 0;
    if (rangedAllowed && n.def->range > 1) {
      if (CellDistance(adx, ady) <= n.def->range && !LineBlockedBetween(game, n.x, n.y, t.x, t.y))
        return AttackCreatureOrPC(game, n, t, true);
      couldNotAttack = true;
    } else {
      const bool diagonal = adx == 1 && ady == 1;
      if (adx <= 1 && ady <= 1 && (adx + ady) > 0 && (!diagonal || DiagonalAllowed(game)))
        return AttackCreatureOrPC(game, n, t, false);
      couldNotAttack = true;
    }
  }
  (void)couldNotAttack;  // attacks on a zoom-map vehicle need zoom-map fights
  if (n.moveImmobile == 0 && n.def->terrainCap != CapabilityBlocked) {
    int r = MoveByRule(game, n, sx, sy, adx, ady);
    if (r == 0) return 2;  // reported by the rule; the creature stays this turn
    if (r == 2) return 2;
  }
  if (retreating && game.scenario.config.aiRetreatType == 1 && n.state == StateRetreat) n.state = StateCornered;
  return 2;
}

bool NPCMove(CGame& game, CreatureObject& n, int x, int y) {
  if (!game.map || !game.qmap || !n.def) return false;
  if (x == n.x && y == n.y) return false;
  int windDelay = 0;
  if (game.currentWind && n.def->wind) {
    const int wt = n.def->wind, wind = game.currentWind;
    const int dir = y < n.y ? 0 : x > n.x ? 1 : y > n.y ? 2 : 3;
    if ((wt == 1 || wt == 3) && wind == 5) return false;
    if (wt == 2 && (wind == 5 || dir == wind - 1)) return false;
    if ((wt == 1 || wt == 3) && dir == wind - 1) windDelay = 1;
  }
  const int w = game.map->Width(), h = game.map->Height();
  if (x < 0 || y < 0 || x >= w || y >= h) {
    const int side = x < 0 ? BorderW : x >= w ? BorderE : y < 0 ? BorderN : BorderS;
    const MapBorder* b = game.map->Border(side);
    if (!b) return false;
    if (b->action == BorderActionWrap) {
      x = Mod(x, w);
      y = Mod(y, h);
      if (x == n.x && y == n.y) return false;
    } else if (n.state == StateRetreat) {
      if (game.scenario.config.aiRetreatType == 1) n.state = StateFled;
      return true;
    } else {
      return false;
    }
  }
  const int cap = n.def->terrainCap;
  const QEntry* top = game.qmap->Top(x, y);
  const int topKind = top ? top->kind : 0, topId = top ? top->id : 0;
  const bool onPlayer = x == game.playerX && y == game.playerY && game.pc;
  bool moveEffectOnPlayer = false;
  if (n.def->moveEffect & 1) {
    if (TerrainBlocks(game, CellTerrainAt(game, x, y), cap)) return false;
    if (top) {
      if (top->kind != KindVehicle) return false;
      const uint16_t vid = top->id;
      VehicleObject* veh = game.vehicles ? game.vehicles->Get(vid) : nullptr;
      PrintLine("%s has been destroyed!", veh && veh->def && veh->def->name ? veh->def->name->c_str() : "");
      game.RemoveObject(KindVehicle, vid, true);
    }
    moveEffectOnPlayer = onPlayer;
  } else {
    if (top) {
      if (top->kind == KindCreature || cap == CapabilityEmpty) return false;
      int t = game.ObjectTerrain(top->kind, top->id);
      if (t >= 0 && CheckTerrain(game.scenario.terrainGroups.get(), uint16_t(t), uint16_t(cap))) return false;
    } else if (TerrainBlocks(game, CellTerrainAt(game, x, y), cap)) {
      return false;
    }
    if (onPlayer) return false;
  }
  // Take this creature's own entry (by kind and ID) off its old cell, then
  // put it on top of the new one.
  if (!n.off) {
    game.RemoveObject(KindCreature, n.id, false);
    n.x = int16_t(x);
    n.y = int16_t(y);
    game.RestoreObject(KindCreature, n.id);
  } else {
    n.x = int16_t(x);
    n.y = int16_t(y);
  }
  game.redrawPending = true;
  int delay = windDelay;
  if (game.scenario.terrainInfo) {
    const int cell = CellTerrainAt(game, x, y);
    int d = cell >= 0 ? TerrainDelay(game.scenario.terrainInfo.get(), uint16_t(cap), uint16_t(cell)) : 0;
    if (topKind && topKind != KindVehicle) {
      const int t = game.ObjectTerrain(topKind, uint16_t(topId));
      if (t >= 0) d = std::max(d, TerrainDelay(game.scenario.terrainInfo.get(), uint16_t(cap), uint16_t(t)));
    }
    delay += d;
  }
  if (delay) n.delay = uint8_t(std::min(255, n.delay + delay));
  if (moveEffectOnPlayer) {
    if (!game.RedrawAll()) return true;
    const uint16_t script = n.def->moveScript;
    if (script == 0) {
      PrintLine("ERROR (NPCMove): Move effect undefined script");
    } else if (!game.Hooks().runScript || game.Hooks().runScript(0, script) == 1) {
      PrintLine("ERROR (NPCMove): Failed to run move effect script %d", script);
    }
  }
  return true;
}

int NPCMoveAI6(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady) {
  return MoveAI56(game, n, sx, sy, adx, ady, false);
}

int NPCMoveAI5(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady) {
  return MoveAI56(game, n, sx, sy, adx, ady, true);
}

int NPCMoveAI4(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady) {
  const int x = n.x, y = n.y;
  if (DiagonalAllowed(game) && Step(game, n, x + sx, y + sy)) {
    n.aiDirection = 0;
    return 2;
  }
  const int mem = n.aiDirection;
  const bool skipH = (mem == 2 && sx < 0) || (mem == 4 && sx > 0);
  const bool skipV = (mem == 1 && sy > 0) || (mem == 3 && sy < 0);
  const int axisBit = RandomInt(0, 1);
  bool moved = axisBit == 0 ? ((!skipH && Step(game, n, x + sx, y)) || (!skipV && Step(game, n, x, y + sy)))
                            : ((!skipV && Step(game, n, x, y + sy)) || (!skipH && Step(game, n, x + sx, y)));
  if (moved) {
    n.aiDirection = 0;
    return 2;
  }
  auto sideDir = [&](int bit) { return bit == 0 ? (adx > ady ? 1 : 4) : (adx > ady ? 3 : 2); };
  int sideBit;
  int tx, ty;
  if (mem != 0) {
    if (mem < 1 || mem > 4) {
      ReportOnce(game, n, "ERROR (NPCMoveAI4): Invalid alt dir %d", mem);
      return 0;
    }
    sideBit = axisBit;
    DirectionStep(mem, x, y, &tx, &ty);
  } else {
    sideBit = RandomInt(0, 1);
    n.aiDirection = uint8_t(sideDir(sideBit));
    DirectionStep(n.aiDirection, x, y, &tx, &ty);
  }
  if (Step(game, n, tx, ty)) return 2;
  n.aiDirection = uint8_t(sideDir(1 - sideBit));
  DirectionStep(n.aiDirection, x, y, &tx, &ty);
  if (Step(game, n, tx, ty)) return 2;
  n.aiDirection = 0;
  if (adx > ady ? Step(game, n, x - sx, y) : Step(game, n, x, y - sy)) return 2;
  return 1;
}

void NPCWander(CGame& game, CreatureObject& n) {
  const int f = game.scenario.config.aiNoWanderFreq;
  const int r = RandomInt(1, f + 4);
  if (r >= 5) return;
  int radius = n.aiDistance;
  if (radius == 0) radius = n.npcDef ? n.npcDef->anchor : 0;
  for (int i = 0; i < 4; ++i) {
    const int dir = (r - 1 + i) % 4 + 1;
    int tx, ty;
    DirectionStep(dir, n.x, n.y, &tx, &ty);
    if (radius != 0 && (std::abs(tx - n.homeX) > radius || std::abs(ty - n.homeY) > radius)) continue;
    if (NPCMove(game, n, tx, ty)) return;
  }
}

void CreatureReact(CreatureObject& d) {
  if (d.state == StateRetreat || d.state == StateEnraged) return;
  d.state = d.state == StateCornered ? StateEnraged : StateAttack;
}

void AlertCreature(CGame& game, CreatureObject& d) {
  (void)game;
  if (!IsHostileState(d.state)) d.flags |= CreaturePeaceful;
  CreatureReact(d);
  d.attackTarget = uint8_t((d.attackTarget | TargetPCs) & ~TargetPCEnemies);
}

void AlertGroup(CGame& game, int group, bool membersOnly) {
  if (!game.creatures) return;
  for (int id = 1; id <= game.creatures->Size(); ++id) {
    CreatureObject* c = game.creatures->Get(id);
    if (!c) continue;
    if ((c->groupId != 0 && c->groupId == group) || (!membersOnly && (c->behaviour & BehaviourDefender)))
      AlertCreature(game, *c);
  }
}

void ComputeGroupRetreat(CGame& game) {
  if (!game.creatures) return;
  int n = 0;
  bool anyFearful = false;
  for (int id = 1; id <= game.creatures->Size(); ++id) {
    const CreatureObject* c = game.creatures->Get(id);
    if (!c || c->off || !IsHostileState(c->state) || IsAlly(*c)) continue;
    ++n;
    if (!(c->def && (c->def->behaviour & BehaviourFearless))) anyFearful = true;
  }
  if (n == 0 || !anyFearful) return;
  const float keep = float(100 - game.scenario.config.groupRetreat) * float(n) * 0.01f + 0.99f;
  game.turn.groupRetreatThreshold = int16_t(keep);
}

void CheckGroupRetreat(CGame& game) {
  if (!(game.scenario.config.aiFlags & AiGroupRetreat) || !game.creatures) return;
  if (game.turn.groupRetreatThreshold == 0 || game.turn.groupLoss < game.turn.groupRetreatThreshold) return;
  for (int id = 1; id <= game.creatures->Size(); ++id) {
    CreatureObject* c = game.creatures->Get(id);
    if (!c || !IsHostileState(c->state) || IsAlly(*c)) continue;
    if (c->def && (c->def->behaviour & BehaviourFearless)) continue;
    c->state = StateRetreat;
  }
}
