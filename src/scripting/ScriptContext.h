#pragma once
// The script context of a running game (held by the game object): the main
// engine, the nesting depth, the last result, the current ScriptType and
// SFLAG, the redraw switches, the turn script, the registers and the current
// map's triggers. The run entry points below start scripts on it.
#include <cstdint>
#include <memory>
#include <string>

#include "scripting/ScriptEngine.h"
#include "scripting/ScriptRegisters.h"
#include "scripting/ScriptWorld.h"
#include "scripting/Triggers.h"

class ScriptContext {
 public:
  // Most runs nested in one another (a script that starts a script ...).
  static constexpr int MaxNesting = 8;
  // Most RunCommands / RunTemplateCommands calls nested in one another.
  static constexpr int MaxCommandNesting = 16;

  // `world` may be none: an empty world is used then.
  ScriptContext(ScriptWorld* world, uint16_t scenario);
  ~ScriptContext();
  ScriptContext(const ScriptContext&) = delete;
  ScriptContext& operator=(const ScriptContext&) = delete;

  ScriptWorld& World() { return *world_; }
  uint16_t Scenario() const { return scenario_; }

  ScriptEngine mainEngine;
  uint8_t depth = 0;         // RunScript calls in progress
  uint8_t lastResult = StateNorm;
  uint8_t scriptType = ScriptTypeNone;
  uint8_t sflag = 0;
  uint8_t redrawMode = 1;
  bool needRedraw = false;

  // The current map's turn script and its long-lived engine.
  std::unique_ptr<ScriptList> turnScript;
  std::unique_ptr<ScriptEngine> turnEngine;

  // Registers.
  ObjectRef targetValue;
  ObjectRef creatureValue;
  int16_t positionX = 0, positionY = 0;
  int32_t numberValue = 0;
  int32_t amountValue = 0;

  // Set by the map lifecycle.
  uint8_t mapLoadType = MapLoadNone;
  // Set when a command reloaded the current map (for the trigger run).
  bool mapReloaded = false;

  // The current map's triggers.
  std::unique_ptr<TriggerList> triggers;
  std::unique_ptr<ZoneList> zones;
  uint16_t triggerListNumber = 0;
  // A command placed the party somewhere new: check the triggers there again.
  bool triggerRecheck = false;

  // RunCommands / RunTemplateCommands calls in progress.
  int commandNesting = 0;

 private:
  ScriptWorld* world_;
  std::unique_ptr<ScriptWorld> ownWorld_;
  uint16_t scenario_;
};

// ---- run entry points: true on success; failures write their message.
bool RunScript(ScriptContext& game, ScriptList* list);
// Sets the type, runs, sets the type back to NONE and optionally frees the list.
bool RunScriptWithType(ScriptContext& game, ScriptList* list, uint8_t type, bool freeAfter);
bool RunScriptNumber(ScriptContext& game, uint16_t number, uint8_t type);
// "DATA%d\<name>"; a missing file is success when silent.
bool RunScriptFile(ScriptContext& game, const std::string& name, bool silent);
// A full engine path, with a type; the previous type is restored afterwards.
bool RunScriptFP(ScriptContext& game, const std::string& path, uint8_t type, bool silent);
bool RunScriptFPName(ScriptContext& game, const std::string& name, uint8_t type, bool silent);
// "DATA%d\script<suffix>.dat".
bool RunScriptFPSuffix(ScriptContext& game, const std::string& suffix, uint8_t type, bool silent);

// The turn script: 0 removes it; otherwise loads script m and attaches it to
// a fresh turn engine. False when the script cannot be loaded.
bool SetTurnScript(ScriptContext& game, uint16_t number);
// Continues the turn script for one turn.
bool RunTurnScript(ScriptContext& game);
bool CheckRunTurnScript(ScriptContext& game);

// One line in the given engine (plug-ins, RunCommands, templates).
bool RunScriptCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line, bool allowRedraw);
// The game-command dispatcher: true lets the run go on.
bool ExecuteGameCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
