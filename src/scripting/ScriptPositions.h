#pragma once
// Position arguments of the game commands: "PC" (the party's cell),
// "TARGET" (PositionValue) or x y, and the check that a cell lies on the
// current map with the command's own "out of range" messages.
#include "scripting/ScriptArgs.h"

class ScriptContext;

// Reads a position at the cursor; false after the underrun message.
bool ReadScriptPosition(ArgCursor& args, ScriptContext& game, int* x, int* y);
// "SCRIPT ERROR (<command>): Width out of range (%d, width %d)" /
// "... Height out of range (%d, height %d)" when the cell is off the map.
bool CheckScriptPositionOnMap(ScriptContext& game, const char* command, int x, int y);
