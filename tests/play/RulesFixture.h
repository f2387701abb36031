#pragma once
// A small world in memory for the combat and creature rules: a map of grass
// and walls ('#'), a tile set, the stack map, a creature list, a player
// character, and the output captured.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/TileSet.h"
#include "platform/Random.h"
#include "platform/RandomInt.h"
#include "play/Combat.h"
#include "play/CreatureTurns.h"
#include "play/Game.h"
#include "scenario/Keywords.h"
#include "text/Output.h"

class RulesWorld {
 public:
  // rows: one string per row, '.' grass, '#' wall.
  explicit RulesWorld(const std::vector<std::string>& rows) {
    SetOutputCapture(&out);
    tiles.Init(8, 1, 0);
    auto* grass = new CTile;
    grass->terrain = CapabilityLand;
    grass->SetName("Grass");
    tiles.AddFree(1, grass);
    auto* wall = new CTile;
    wall->terrain = CapabilityBlocked;
    wall->SetName("Wall");
    tiles.AddFree(2, wall);
    game.displays_.tiles = &tiles;
    const int h = int(rows.size()), w = int(rows[0].size());
    game.map = std::make_unique<CMap>();
    game.map->cells.Init(w, h, 2);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) game.map->SetTile(x, y, rows[size_t(y)][size_t(x)] == '#' ? 2 : 1);
    game.qmap = std::make_unique<QMap>(w, h);
    game.overlay.assign(size_t(w) * size_t(h), 0);
    game.creatures = std::make_unique<CreatureList>(64);
    game.items = std::make_unique<ItemList>(16);
    game.vehicles = std::make_unique<VehicleList>(4);
    game.locations = std::make_unique<LocationList>(4);
    game.pc = std::make_unique<PCRecord>();
    game.pc->def.state = StatePC;
    game.pc->def.maxHp = 30;
    game.pc->def.name = "Hero";
    game.pc->body.hp = 30;
    game.playerMayAct = true;
    game.verbosity = 2;
    game.turn.aiDiagonal = true;
    game.turn.findEnemyDist = 1;
    SeedRandom(1);
  }
  ~RulesWorld() { SetOutputCapture(nullptr); }

  // Borders on the sides given ('N', 'E', 'S', 'W'): wrapping or blocked.
  void Border(char side, uint8_t action) {
    const int dir = side == 'N' ? BorderN : side == 'E' ? BorderE : side == 'S' ? BorderS : BorderW;
    auto b = std::make_shared<MapBorder>();
    b->action = action;
    game.map->borders[dir] = b;
  }
  void WrapAll() {
    for (char s : {'N', 'E', 'S', 'W'}) Border(s, BorderActionWrap);
  }

  CreatureDef* Def(const char* name, int maxHp = 10) {
    defs.push_back(std::make_unique<CreatureDef>());
    CreatureDef* d = defs.back().get();
    d->name = name;
    d->maxHp = uint16_t(maxHp);
    d->terrainCap = CapabilityLand;
    d->damageSides = 4;
    d->damageDice = 1;
    return d;
  }
  CreatureObject* Add(CreatureDef* def, int x, int y, int state) {
    const int id = game.creatures->FirstFree();
    auto c = std::make_unique<CreatureObject>();
    c->id = uint16_t(id);
    c->def = def;
    c->defId = def->id;
    c->x = int16_t(x);
    c->y = int16_t(y);
    c->homeX = int16_t(x);
    c->homeY = int16_t(y);
    c->hp = int16_t(def->maxHp);
    c->state = uint8_t(state);
    c->off = 1;
    game.creatures->Set(id, std::move(c));
    game.RestoreObject(KindCreature, uint16_t(id));
    return game.creatures->Get(id);
  }
  void Player(int x, int y) {
    game.playerX = x;
    game.playerY = y;
  }

  std::string out;
  CTileSet tiles;
  CGame game;
  std::vector<std::unique_ptr<CreatureDef>> defs;
};

// A seed whose first RandomInt(1, 100) is `roll`.
inline uint32_t SeedForRoll(int roll) {
  for (uint32_t s = 1; s < 1000000; ++s) {
    SeedRandom(s);
    if (RandomInt(1, 100) == roll) return s;
  }
  return 0;
}
