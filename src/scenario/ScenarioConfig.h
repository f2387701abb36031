#pragma once
// The scenario rules of DATA<n>\scenario.dat: plain fields with their
// defaults, overwritten by the file's keywords.
#include <cstdint>
#include <functional>
#include <string>

#include "scenario/Definitions.h"

enum WinType : uint8_t { WinNone = 0, WinKill = 1, WinFlag = 2 };
enum ScenarioFlagBit : uint8_t { FlagNoEvilXp = 1, FlagTurnScriptDelete = 2, FlagZoomScreenLock = 4 };
enum AiFlagBit : uint8_t { AiGroupRetreat = 1, AiGroupDisband = 2, AiAttackersDefended = 4 };

struct ScenarioConfig {
  int16_t startMap = 1;
  int16_t ccPoints = 0;
  int16_t ccMinAttrib = 1;
  int16_t ccMaxAttrib = 0;
  float ccAbMult = 1.0f;
  float ccDdbMult = 1.0f;
  int16_t ccSaveMod = 0;
  int16_t ccWeightMult = 0;
  bool weightLimits = false;
  int16_t pcAttribMod = 0;
  uint8_t winType = WinNone;
  uint16_t winValue = 0;
  int16_t foodRate = 0;
  uint8_t noFoodDamage = 0;
  uint8_t offerMult = 100;
  uint8_t fpTurningFree = 0;
  uint16_t itemTerrainCap = 0;
  uint8_t flags = 0;  // ScenarioFlagBit
  uint8_t verbosity = 2;
  uint8_t textPause = 0;
  uint8_t statsType = 0;
  uint8_t sbField4 = 0, sbField5 = 0;
  OwnedText strReady, strWear;
  uint8_t equipType = 0;
  int16_t fxAttack = 2;
  uint32_t fxDelay = 1000;
  uint8_t aiFlags = AiGroupRetreat | AiGroupDisband;
  uint8_t aiDiagonal = 1;
  uint8_t aiMoveType = 1;
  uint8_t aiNoWanderFreq = 4;
  uint8_t aiRetreatType = 0;
  uint8_t aiAttackType = 0;
  int16_t findEnemyDist = 1;
  uint8_t groupRetreat = 25;
  uint8_t zoomEnemies = 1, zoomEnemies2 = 0, zoomEnemies3 = 0;
  uint8_t retreatCheckDelay = 255;
  int16_t retreatCheckXp = 0, retreatCheckBaseXp = 0, retreatCheckDistInc = -1;
  uint8_t lightRate = 0, lightPointRate = 1;
  uint8_t poisonRate = 0, poisonDamageRate = 1;
  uint8_t wind = 0;
  uint8_t windCalm = 20;
  uint8_t vmType = 0;
  uint16_t vmCharTile = 0;
  uint8_t visibility = 0;
  uint8_t animate = 1;
  uint8_t vmAnimate = 1;
  uint8_t trapUnskilled = 0;
  uint8_t cfSave = 1;
  uint8_t party = 0;
  uint8_t partyCc = 0;
  OwnedText scenarioId;
  uint8_t cheat = 0;
};

// What scenario.dat hands on to the plug-in manager (which lives with the
// game object): PLUGIN creates the manager on first use and asks it to load a
// module; PLUGINCMD passes a command and a non-empty answer is printed.
// Without hooks both keywords are ignored.
struct PlugInHooks {
  // Returns false when the manager cannot be created.
  std::function<bool(const std::string& module)> load;
  // The answer text; empty for none (also when no manager exists).
  std::function<std::string(const std::string& command)> command;
};

// Reads DATA<n>\scenario.dat (or DATA<n>\scenario1.dat). Returns false only
// when neither can be opened; the fields then keep their values.
bool ReadConfigFile(ScenarioConfig& config, int scenarioNumber, const PlugInHooks* plugIns = nullptr);
// The same on text in memory; INCLUDE files are read from DATA<n>.
bool ReadConfigText(ScenarioConfig& config, int scenarioNumber, const std::string& text, const std::string& fileName,
                    const PlugInHooks* plugIns = nullptr);
