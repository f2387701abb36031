#pragma once
// The game commands of the scripting families built here. Each returns true
// to let the run go on and false after its failure messages (GameFail).
class ScriptContext;
class ScriptEngine;
struct ScriptLine;

bool CMessageCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
bool PMessageCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
// SetFlag, SetSFlag, CheckFlag, CCheckFlag, CheckFlagSwitch, SetBFlag, CheckBFlag, Flag.
bool FlagCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
bool ScriptValCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
// CheckScriptType, CheckMapLoadType.
bool ContextTestCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
bool ScriptCallCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
bool RunCommandsCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
bool RunTemplateCommandsCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
// CheckTriggerDone, RemoveTrigger, SetTrigger, CheckTriggers, PlaceTriggers, Trigger.
bool TriggerCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line);
