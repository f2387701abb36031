#pragma once
// The player's options kept by the game object for one game: sound, text
// pause, redraw debugging, the casting mode and screen locking. They start
// from the scenario's settings (InitGameOptions) and end with the game.
#include <cstdint>

struct ScreenLockState {
  bool on = false;
  int col = 0, row = 0;          // the player's cell within the locked view
  int lastCol = 0, lastRow = 0;  // the view's last column and row
};

struct GameOptions {
  bool soundOn = true;
  bool textPause = false;    // the main display's page pause during play
  bool redrawDebug = false;  // every RedrawAll first prints "RedrawAll"
  uint8_t castingMode = 0;   // 0 select spells by list position, 1 by spell ID
  ScreenLockState screenLock;
};
