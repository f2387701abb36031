#include "scripting/ScriptPositions.h"

#include "scripting/ScriptContext.h"
#include "text/Output.h"

bool ReadScriptPosition(ArgCursor& args, ScriptContext& game, int* x, int* y) {
  const ScriptArg* first = args.Next();
  if (!first) return false;
  if (first->text == "PC") {
    if (!game.World().PartyPosition(x, y)) *x = *y = 0;
    return true;
  }
  if (first->text == "TARGET") {
    *x = game.positionX;
    *y = game.positionY;
    return true;
  }
  const ScriptArg* second = args.Next();
  if (!second) return false;
  *x = first->number;
  *y = second->number;
  return true;
}

bool CheckScriptPositionOnMap(ScriptContext& game, const char* command, int x, int y) {
  int width = 0, height = 0;
  game.World().MapSize(&width, &height);
  if (x < 0 || x >= width) {
    PrintLine("SCRIPT ERROR (%s): Width out of range (%d, width %d)", command, x, width);
    return false;
  }
  if (y < 0 || y >= height) {
    PrintLine("SCRIPT ERROR (%s): Height out of range (%d, height %d)", command, y, height);
    return false;
  }
  return true;
}
