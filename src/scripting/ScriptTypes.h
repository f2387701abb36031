#pragma once
// The small value sets shared by the interpreter and its callers.
#include <cstdint>

// The result of a command and of a run (ResultState); a script may also set
// any other byte value with BREAK.
enum ScriptStateValue : uint8_t {
  StateNorm = 0,     // normal end
  StateError = 1,    // a command failed
  StateAbort = 2,    // the action that started the script is cancelled
  StateInc = 3,      // the script's work is not done (a trigger stays armed)
  StateTrm = 4,
  StateRestart = 5,
  StateEnd = 6,
};

// Why the running script was started.
enum ScriptTypeValue : uint8_t {
  ScriptTypeNone = 0, ScriptTypeConv, ScriptTypeTrigger, ScriptTypeStart, ScriptTypeExit,
  ScriptTypeUse, ScriptTypeLook, ScriptTypeRenc, ScriptTypePower,
};

// How the current map was reached (kept by the map lifecycle).
enum MapLoadTypeValue : uint8_t { MapLoadNone = 0, MapLoadLoadGame = 1, MapLoadStartGame = 2 };

// "NORM" ... "END", else the text as a decimal number (low 8 bits).
uint8_t ParseScriptState(const char* word);
// "NONE" ... "POWER"; false for another word.
bool ParseScriptType(const char* word, uint8_t* out);
