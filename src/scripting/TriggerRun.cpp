// Firing triggers at the party's position, and the trigger commands.
#include "scripting/GameCommands.h"
#include "scripting/ScriptArgs.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptContext.h"
#include "scripting/ScriptPositions.h"
#include "scripting/Triggers.h"
#include "text/Output.h"

namespace {
// Most rounds of re-checks that trigger runs may request at one position.
constexpr int MaxRecheckRounds = 16;

// One trigger at a position; `recheck` is set when its run asked for the
// position to be checked again.
int RunPosTrigger(ScriptContext& game, int x, int y, uint16_t triggerId, bool* recheck) {
  ScriptWorld& world = game.World();
  TriggerEntry* entry = game.triggers ? game.triggers->Find(triggerId) : nullptr;
  if (!entry) return 2;
  const uint8_t f = entry->flags;
  if ((f & trigger::Running) || ((entry->flags2 & trigger::NoDark) && world.DarkAtParty()) ||
      (world.ArrivalMark() && game.mapLoadType == MapLoadLoadGame && !(f & trigger::Immediate)) ||
      ((f & trigger::Once) && (f & trigger::Done)) || ((f & trigger::MoveOnly) && world.LastMoveAction() == 0) ||
      ((f & trigger::NoIncap) && world.PartyIncapacitated()))
    return 1;
  game.triggerRecheck = false;
  if (!entry->script) {
    PrintLine("ERROR (CheckPosTriggers): Script does not exist (incorrectly deleted after a load?)");
    return 0;
  }
  const int pauseSetting = GetTextPause();
  const bool pauseOff = entry->redraw == 0;
  if (pauseOff) {
    SetTextPause(false);
  } else if (game.needRedraw) {
    game.needRedraw = false;
    if (!world.Redraw()) return 0;
  }
  // The trigger holds no script while it runs, so it cannot fire itself.
  std::unique_ptr<ScriptList> script = std::move(entry->script);
  const uint16_t mapId = world.CurrentMapId();
  game.redrawMode = entry->redraw;
  game.sflag = entry->sflag;
  game.scriptType = ScriptTypeTrigger;
  entry->flags |= trigger::Running;
  game.mapReloaded = false;
  entry = nullptr;  // the run may free the list it lives in

  const bool ran = RunScript(game, script.get());
  // The trigger's own result decides, also when it ran inside another script.
  const uint8_t state = ran ? game.lastResult : static_cast<uint8_t>(StateError);
  game.sflag = 0;
  game.scriptType = ScriptTypeNone;
  if (pauseOff) SetTextPause(pauseSetting != 0);

  // Find the trigger again by map and ID.
  TriggerList* list = nullptr;
  TriggerCells* cells = nullptr;
  bool buffered = false;
  int cellX = x, cellY = y;
  if (world.CurrentMapId() == mapId && !game.mapReloaded) {
    list = game.triggers.get();
    cells = world.TriggerCellMap();
  } else {
    BufferedTriggerMap b;
    if (world.FindBufferedTriggerMap(mapId, &b) && b.list) {
      list = b.list;
      cells = b.cells;
      buffered = true;
      cellX = b.exitX;
      cellY = b.exitY;
    }
  }
  entry = list ? list->Find(triggerId) : nullptr;
  if (!entry || entry->script || !(entry->flags & trigger::Running)) {
    DebugPrintText("DBG (CheckPosTriggers): Script deleted after load");
    return 1;
  }
  entry->flags &= static_cast<uint8_t>(~trigger::Running);
  entry->script = std::move(script);
  if (state == StateInc)
    DebugPrintText("DBG (CheckPosTriggers): Script done flag not set due to state INCOMPLETE");
  else
    entry->flags |= trigger::Done;
  if (entry->flags & trigger::Remove) {
    if (state == StateInc) {
      DebugPrintText("DBG (CheckPosTriggers): Script remove not done due to state INCOMPLETE");
    } else {
      if (cells) cells->Set(cellX, cellY, 0);
      world.LowerEncounterCount(buffered);
    }
  }
  if (game.triggerRecheck) *recheck = true;
  return 1;
}

// One round over the cell and the zones; true when a run asked for a re-check.
bool CheckRound(ScriptContext& game, int x, int y, bool* ok) {
  bool recheck = false;
  TriggerCells* cells = game.World().TriggerCellMap();
  if (cells && cells->Inside(x, y)) {
    const uint16_t id = cells->Get(x, y);
    if (id != 0 && RunPosTrigger(game, x, y, id, &recheck) == 0) *ok = false;
    if (recheck) return true;
  }
  // Zones are looked up by index each time: a run may replace the list.
  for (size_t i = 0; game.zones && i < game.zones->zones.size(); ++i) {
    const TriggerZone z = game.zones->zones[i];
    if (z.trigger == 0 || x < z.x1 || x > z.x2 || y < z.y1 || y > z.y2) continue;
    if (RunPosTrigger(game, x, y, z.trigger, &recheck) == 0) *ok = false;
    if (recheck) return true;
  }
  return false;
}

bool CheckTriggersLoop(ScriptContext& game, int x, int y, bool firstRecheck) {
  bool ok = true;
  bool again = firstRecheck;
  int rounds = 0;
  if (!firstRecheck) again = game.triggers && CheckRound(game, x, y, &ok);
  while (again && game.triggers) {
    if (++rounds > MaxRecheckRounds) {
      PrintLine("ERROR (CheckTriggersAt): Stopped after %d trigger re-checks at %d %d", MaxRecheckRounds, x, y);
      return false;
    }
    again = CheckRound(game, x, y, &ok);
  }
  return ok;
}

bool PartyPos(ScriptContext& game, int* x, int* y) { return game.World().PartyPosition(x, y); }

bool ListDefined(ScriptContext& game, ScriptEngine& engine, const char* command) {
  if (game.triggers) return true;
  PrintLine("SCRIPT ERROR (%s): Trigger list undefined", command);
  return GameFail(engine);
}
}  // namespace

bool CheckTriggersAt(ScriptContext& game, int x, int y) {
  if (!game.triggers) return true;
  return CheckTriggersLoop(game, x, y, false);
}

int CheckPosTriggers(ScriptContext& game, int x, int y, uint16_t triggerId) {
  bool recheck = false;
  const int result = RunPosTrigger(game, x, y, triggerId, &recheck);
  if (recheck) CheckTriggersLoop(game, x, y, true);
  return result;
}

bool CheckTriggers(ScriptContext& game, int x, int y) {
  bool ok = true;
  if (!game.World().CheckBMapTriggers(x, y)) ok = false;
  if (!game.World().CheckObjectTriggers(x, y)) ok = false;
  if (!CheckTriggersAt(game, x, y)) ok = false;
  return ok;
}

bool CheckTriggersAtParty(ScriptContext& game) {
  int x = 0, y = 0;
  if (!game.World().PartyPosition(&x, &y)) return true;
  return CheckTriggers(game, x, y);
}

bool TriggerCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  const char* name = ScriptCommandName(line.command);
  ArgCursor args(line, name);
  ScriptWorld& world = game.World();
  switch (line.command) {
    case cmd::CheckTriggerDone: {
      if (!ListDefined(game, engine, name)) return false;
      if (!args.Need(2)) return GameFail(engine);
      const uint16_t id = static_cast<uint16_t>(args.Next()->number);
      const int32_t tag = args.Next()->number;
      const TriggerEntry* e = game.triggers->Find(id);
      if ((!e || (e->flags & trigger::Done)) && !JumpNumeric(engine, tag, name)) return GameFail(engine);
      return true;
    }
    case cmd::RemoveTrigger: {
      if (!ListDefined(game, engine, name)) return false;
      int x = 0, y = 0;
      if (!ReadScriptPosition(args, game, &x, &y)) return GameFail(engine);
      TriggerCells* cells = world.TriggerCellMap();
      if (!cells || !cells->Inside(x, y)) {
        if (CheckScriptPositionOnMap(game, name, x, y))
          PrintLine("SCRIPT ERROR (RemoveTrigger): No trigger cells at %d %d", x, y);
        return GameFail(engine);
      }
      if (cells->Get(x, y) != 0) {
        cells->Set(x, y, 0);
        world.LowerEncounterCount(false);
      }
      return true;
    }
    case cmd::SetTrigger: {
      if (!ListDefined(game, engine, name)) return false;
      if (!args.Need(3)) return GameFail(engine);
      const uint16_t id = static_cast<uint16_t>(args.Next()->number);
      const ScriptArg& type = *args.Next();
      const int32_t value = args.Next()->number;
      if (type.text != "DONE") {
        PrintLine("SCRIPT ERROR (SetTrigger): Unknown type: %s", type.c_str());
        return GameFail(engine);
      }
      TriggerEntry* e = game.triggers->Find(id);
      if (!e) {
        PrintLine("SCRIPT ERROR (SetTrigger): Invalid trigger");
        return GameFail(engine);
      }
      if (value != 0)
        e->flags |= trigger::Done;
      else
        e->flags &= static_cast<uint8_t>(~trigger::Done);
      return true;
    }
    case cmd::CheckTriggers: {
      if (game.mapLoadType == 3) game.mapLoadType = 4;
      int x = 0, y = 0;
      PartyPos(game, &x, &y);
      CheckTriggers(game, x, y);
      return true;
    }
    case cmd::PlaceTriggers: {
      if (!ListDefined(game, engine, name)) return false;
      const int n = args.Remaining();
      if (n < 3 || n == 4) {
        PrintUnderrun(name, nullptr);
        return GameFail(engine);
      }
      const uint16_t id = static_cast<uint16_t>(args.Next()->number);
      const int x1 = args.Next()->number, y1 = args.Next()->number;
      int x2 = x1, y2 = y1;
      if (n >= 5) {
        x2 = args.Next()->number;
        y2 = args.Next()->number;
      }
      TriggerCells* cells = world.TriggerCellMap();
      if (!cells || !cells->Inside(x1, y1) || !cells->Inside(x2, y2)) {
        PrintLine("SCRIPT ERROR (PlaceTriggers): Setting ID %d onto qualities map failed (%d %d %d %d)", id, x1, y1,
                  x2, y2);
        return GameFail(engine);
      }
      for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) cells->Set(x, y, id);
      return true;
    }
    case cmd::Trigger: {
      if (!ListDefined(game, engine, name)) return false;
      const ScriptArg* a = args.Next();
      if (!a) return GameFail(engine);
      const uint16_t id = static_cast<uint16_t>(a->number);
      int x = 0, y = 0;
      PartyPos(game, &x, &y);
      const int r = CheckPosTriggers(game, x, y, id);
      if (r == 0) {
        PrintLine("SCRIPT ERROR (Trigger): Trigger %d failed to run normally", id);
        return GameFail(engine);
      }
      if (r == 2) {
        PrintLine("SCRIPT ERROR (Trigger): Invalid trigger %d", id);
        return GameFail(engine);
      }
      return true;
    }
  }
  return false;
}
