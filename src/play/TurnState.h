#pragma once
// The turn state of a running game that the turn cycle, creature behaviour
// and combat keep between turns (the values the save and the map data do
// not already hold).
#include <cstdint>
#include <vector>

class TextDisplay;

struct TurnState {
  uint8_t delayTurns = 0;  // turns the active character still waits
  uint8_t slowTurns = 0;   // how many of them came from slow movement
  uint8_t npcAI = 1;       // 0 stops every creature turn
  int16_t groupLoss = 0;   // enemies killed or fled since map start
  int16_t groupRetreatThreshold = 0;
  uint8_t aiMoveType = 1;
  bool closestTargeting = false;
  bool zoomCombat = false;
  int16_t findEnemyDist = 1;
  bool aiDiagonal = true;
  // Food, light and poison rates.
  uint8_t lightBase = 0, lightAmount = 1, lightRate = 0;
  uint8_t poisonBase = 0, poisonMultiplier = 1, poisonInterval = 0;
  uint8_t windCountdown = 0;
  // Sound classes of the attack in progress (miss, hit).
  uint8_t missSound = 4, hitSound = 5;
  // Sidebar: its display, and whether the spell-point field is on screen.
  TextDisplay* sidebar = nullptr;
  bool sidebarSP = false;
  int16_t lastFoodRate = 0;
  // The active character's food item (remembered after the first meal).
  uint16_t foodItem = 0;
  // Set while the creature loop runs, so that nothing re-enters it.
  bool inCreatureLoop = false;
  // List IDs of creatures whose invalid state or direction has been
  // reported already (each is reported once and then skipped).
  std::vector<uint16_t> reportedFaults;
};
