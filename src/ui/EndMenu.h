#pragma once
// The end menu, run by the controller when the game asks for it (a win, the
// player's death, the party lost).
#include "play/UIServices.h"

class CGame;
struct CGameUIControl;

// Repeats until an action leaves it. Returns 0 when the application is
// quitting or the game ended (main menu), else the result of the action
// that left the menu (load, restart, debug exit).
int RunEndMenu(CGame& game, CGameUIControl& control, const UIServices& ui);
