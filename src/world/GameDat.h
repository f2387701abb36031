#pragma once
// save.dat of the working save directory: the world values of a running
// game (exit slots, light, food, frozen turns, arrival side, terrain pacing,
// the player's inventory order), and version.dat.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ExitSlot {
  uint16_t map = 0;
  int16_t x = 0, y = 0;
};

// Three slots: push fills the first empty one (the third is overwritten
// when full), peek and clear act on the deepest filled one.
struct ExitStack {
  ExitSlot slots[3];
  void Push(uint16_t map, int16_t x, int16_t y);
  // The deepest filled slot, or null.
  const ExitSlot* Peek() const;
  void ClearDeepest();
  void Clear() { slots[0] = slots[1] = slots[2] = ExitSlot(); }
};

struct GameDatValues {
  ExitStack exits;
  int16_t lightPoints = 0, lightPower = 0;
  uint8_t lightTimer = 0;
  int16_t foodRate = 0, foodTimer = 0;
  uint8_t frozenTurns = 0;
  uint8_t won = 0;
  uint8_t borderDir = 255;
  uint8_t terrainPacing = 0;
  uint16_t lastTerrainEffect = 0;
  uint8_t skipA = 0, skipB = 0, turnRate = 0;
  std::optional<std::vector<uint16_t>> invOrder;  // set by the player
};

std::string SaveGameDatText(const GameDatValues& v, int scenario);
// Unknown keywords are skipped; `itemCount` sizes the inventory order.
void LoadGameDatText(GameDatValues& v, const std::string& text, int itemCount);

std::string SaveVersionText(const std::string* version);
// The word after "MAIN:", or empty.
std::string LoadVersionText(const std::string& text);
