#include "ui/DebugOptionsMenu.h"

#include "text/Output.h"

bool ToggleDebugMode() {
  SetDebugMode(!DebugMode());
  return DebugMode();
}

int ShowDebugOptionsMenu(bool gameExists) {
  PrintLine("OPTIONS MENU");
  PrintNewLine();
  PrintLine("*** Options Menu ***");
  PrintLine("D: Toggle Debug Messages");
  Print("> ");
  int key = GetKey();
  if (key == 'D') {
    PrintLine("Toggle DBG");
    PrintLine(ToggleDebugMode() ? "DBG ON" : "DBG OFF");
    WaitAnyKey();
    return 1;
  }
  PrintNewLine();
  if (gameExists && key != 0) Print("CMD: ");
  return 1;
}
