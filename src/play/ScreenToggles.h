#pragma once
// The options kept by the game that only change how play is shown: sound,
// text pause, redraw debugging, debug movement, screen locking and the
// animation frame. Each prints its result line; all return 1 except on an
// internal error.
#include "play/UIServices.h"

class CGame;

// The game's options from the scenario (text pause from TEXTPAUSE).
void InitGameOptions(CGame& game);
// The main display's page pause as the game's option says (off while the
// debug movement mode is on).
void RestoreTextPause(CGame& game);

int ToggleSound(CGame& game);
int ToggleTextPause(CGame& game);
int ToggleRedrawDebug(CGame& game);
// Tab: only with the scenario's cheat setting.
int ToggleDebugMovement(CGame& game);
// F8 and Control+F8 (overhead play only).
int ToggleScreenLock(CGame& game, const UIServices& ui);
int ScreenLockOptions(CGame& game, const UIServices& ui);
// "=" and "-": only in the debug movement mode while the map is drawn.
int AdjustAnimationFrame(CGame& game, const UIServices& ui, int step);

