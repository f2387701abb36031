// The run entry points, the turn script and the game-command dispatcher.
#include <memory>

#include "data/DataStrings.h"
#include "platform/Files.h"
#include "platform/Frame.h"
#include "scripting/GameCommands.h"
#include "scripting/ScriptArgs.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptContext.h"
#include "scripting/ScriptLoader.h"
#include "text/Output.h"

ScriptContext::ScriptContext(ScriptWorld* world, uint16_t scenario) : world_(world), scenario_(scenario) {
  if (!world_) {
    ownWorld_ = std::make_unique<ScriptWorld>();
    world_ = ownWorld_.get();
  }
}

ScriptContext::~ScriptContext() = default;

namespace {
void RedrawIfNeeded(ScriptContext& game) {
  if (game.redrawMode == 0 || !game.needRedraw) return;
  game.needRedraw = false;
  if (!game.World().Redraw()) PrintLine("SCRIPT ERROR (Redraw): failed");
}
}  // namespace

bool RunScript(ScriptContext& game, ScriptList* list) {
  if (!list) return false;
  ScriptEngine* engine = nullptr;
  std::unique_ptr<ScriptEngine> nested;
  if (game.depth == 0) {
    game.mainEngine.Reset();
    engine = &game.mainEngine;
  } else if (game.depth < ScriptContext::MaxNesting) {
    nested = std::make_unique<ScriptEngine>();
    engine = nested.get();
  } else {
    PrintLine("ERROR (RunScript): Too many script engine instances nested (%d)", game.depth);
    game.redrawMode = 1;
    return false;
  }
  ++game.depth;
  engine->Attach(list);
  while (!engine->Halted() && !QuitRequested()) {
    ScriptLine* line = engine->Step();
    if (!line) continue;
    if (!ExecuteGameCommand(game, *engine, *line)) {
      --game.depth;
      if (!nested) engine->Reset();
      game.redrawMode = 1;
      return false;
    }
    RedrawIfNeeded(game);
  }
  game.lastResult = engine->resultState;
  --game.depth;
  if (!nested) engine->Attach(nullptr);
  game.redrawMode = 1;
  return true;
}

bool RunScriptWithType(ScriptContext& game, ScriptList* list, uint8_t type, bool freeAfter) {
  game.scriptType = type;
  const bool ok = RunScript(game, list);
  game.scriptType = ScriptTypeNone;
  if (freeAfter) FreeScript(list);
  if (!ok) PrintLine("ERROR (RunScript): Could not run script");
  return ok;
}

bool RunScriptNumber(ScriptContext& game, uint16_t number, uint8_t type) {
  std::unique_ptr<ScriptList> list(LoadScriptNumber(game.Scenario(), number));
  if (!list) {
    PrintLine("ERROR (RunScript): Could not load script %d", number);
    return false;
  }
  game.scriptType = type;
  const bool ok = RunScript(game, list.get());
  game.scriptType = ScriptTypeNone;
  if (!ok) PrintLine("ERROR (RunScript): Could not run script");
  return ok;
}

bool RunScriptFile(ScriptContext& game, const std::string& name, bool silent) {
  const std::string path = ScenarioFile(game.Scenario(), name);
  if (silent && !AFileExists(path)) return true;
  std::unique_ptr<ScriptList> list(IsScenarioRelativeName(name) ? LoadScriptFile(path, game.Scenario()) : nullptr);
  if (!list) {
    PrintLine("ERROR (RunScript): Could not load script %s", path.c_str());
    return false;
  }
  if (!RunScript(game, list.get())) {
    PrintLine("ERROR (RunScript): Could not run script");
    return false;
  }
  return true;
}

bool RunScriptFP(ScriptContext& game, const std::string& path, uint8_t type, bool silent) {
  if (silent && !AFileExists(path)) return true;
  std::unique_ptr<ScriptList> list(LoadScriptFile(path, game.Scenario()));
  if (!list) {
    PrintLine("ERROR (RunScriptFP): Could not load script %s", path.c_str());
    return false;
  }
  const uint8_t previous = game.scriptType;
  game.scriptType = type;
  const bool ok = RunScript(game, list.get());
  game.scriptType = previous;
  if (!ok) PrintLine("ERROR (RunScriptFP): Could not run script");
  return ok;
}

bool RunScriptFPName(ScriptContext& game, const std::string& name, uint8_t type, bool silent) {
  if (!IsScenarioRelativeName(name)) {
    PrintLine("ERROR (RunScriptFP): Could not load script %s", ScenarioFile(game.Scenario(), name).c_str());
    return false;
  }
  return RunScriptFP(game, ScenarioFile(game.Scenario(), name), type, silent);
}

bool RunScriptFPSuffix(ScriptContext& game, const std::string& suffix, uint8_t type, bool silent) {
  return RunScriptFPName(game, "script" + suffix + ".dat", type, silent);
}

bool SetTurnScript(ScriptContext& game, uint16_t number) {
  if (number == 0) {
    if (game.turnEngine) game.turnEngine->Reset();
    game.turnScript.reset();
    return true;
  }
  std::unique_ptr<ScriptList> list(LoadScriptNumber(game.Scenario(), number));
  if (!list) return false;
  if (game.turnEngine)
    game.turnEngine->Reset();
  else
    game.turnEngine = std::make_unique<ScriptEngine>();
  game.turnScript = std::move(list);
  game.turnEngine->Attach(game.turnScript.get());
  return true;
}

bool RunTurnScript(ScriptContext& game) {
  ScriptEngine* engine = game.turnEngine.get();
  if (!engine || !engine->Script() || engine->Halted()) return true;
  engine->safetyCount = 0;
  bool ok = true;
  while (!engine->Halted() && !QuitRequested()) {
    ScriptLine* line = engine->Step();
    if (line) {
      if (!ExecuteGameCommand(game, *engine, *line)) {
        ok = false;
        break;
      }
      RedrawIfNeeded(game);
    }
    if (engine->waitCount != 0) break;
  }
  game.redrawMode = 1;
  return ok;
}

bool CheckRunTurnScript(ScriptContext& game) {
  if (game.World().ExtraTurn()) return true;
  if (!RunTurnScript(game)) {
    PrintLine("ERROR (CheckRunTurnScript): RunTurnScript failed");
    return false;
  }
  return true;
}

bool RunScriptCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line, bool allowRedraw) {
  ScriptLine* game_line = engine.ExecuteLine(line);
  if (!game_line) return true;
  if (!ExecuteGameCommand(game, engine, *game_line)) return false;
  if (allowRedraw && game.needRedraw) {
    game.needRedraw = false;
    if (!game.World().Redraw()) PrintLine("SCRIPT ERROR (Redraw): failed");
  }
  return true;
}

bool ExecuteGameCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  switch (line.command) {
    case cmd::CMessage:
      return CMessageCommand(game, engine, line);
    case cmd::PMessage:
      return PMessageCommand(game, engine, line);
    case cmd::SetFlag:
    case cmd::SetSFlag:
    case cmd::CheckFlag:
    case cmd::CCheckFlag:
    case cmd::CheckFlagSwitch:
    case cmd::SetBFlag:
    case cmd::CheckBFlag:
    case cmd::Flag:
      return FlagCommand(game, engine, line);
    case cmd::ScriptVal:
      return ScriptValCommand(game, engine, line);
    case cmd::CheckScriptType:
    case cmd::CheckMapLoadType:
      return ContextTestCommand(game, engine, line);
    case cmd::Script:
      return ScriptCallCommand(game, engine, line);
    case cmd::RunCommands:
      return RunCommandsCommand(game, engine, line);
    case cmd::RunTemplateCommands:
      return RunTemplateCommandsCommand(game, engine, line);
    case cmd::CheckTriggerDone:
    case cmd::RemoveTrigger:
    case cmd::SetTrigger:
    case cmd::CheckTriggers:
    case cmd::PlaceTriggers:
    case cmd::Trigger:
      return TriggerCommand(game, engine, line);
    case cmd::Test:
      break;
    default:
      if (line.command > cmd::LastCoreCommand && line.command < cmd::Test) {
        const int r = game.World().RunGameCommand(game, engine, line);
        if (r >= 0) return r == 1;
      }
      break;
  }
  PrintLine("SCRIPT ERROR: Invalid command (%d)", line.command);
  return GameFail(engine);
}
